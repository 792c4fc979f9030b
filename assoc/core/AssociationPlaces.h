#pragma once
// Where the .rm association lives under the classes root: the class of .rm files, rmfile's
// display name and its open command, each that another program may have set with its backup
// beside it. The association's decisions, the platforms' classes roots and the tests all take
// the places from here.
#include "Text.h"

#include <array>
#include <optional>

enum class AssociationPlace { Class, ClassBackup, Name, NameBackup, Command, CommandBackup };

struct PlacePath {
    AssociationPlace place;
    TextView belowRoot;  // a trailing backslash names the key's default value
};

inline constexpr std::array<PlacePath, 6> kAssociationPlaces{{
    {AssociationPlace::Class, u".rm\\"},
    {AssociationPlace::ClassBackup, u".rm\\bak"},
    {AssociationPlace::Name, u"rmfile\\"},
    {AssociationPlace::NameBackup, u"rmfile\\bak"},
    {AssociationPlace::Command, u"rmfile\\shell\\open\\command\\"},
    {AssociationPlace::CommandBackup, u"rmfile\\shell\\open\\command\\bak"},
}};

// The place's full registry path, "HKCR\..." as the association writes it.
Text PathOf(AssociationPlace place);
// The place a full path names, under either name of the classes root, comparing as the
// registry compares key and value names; nothing for any other path.
std::optional<AssociationPlace> PlaceOf(TextView path);
