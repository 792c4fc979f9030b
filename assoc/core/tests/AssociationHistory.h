#pragma once
// Histories of the association: installs and undos from several folders, a registry left by an
// earlier Ordinel, and another program setting, changing or deleting .rm's class, rmfile's name
// and its command in between. After every step:
// - each folder's box reads ticked exactly when the shell would start that folder's player;
// - unticking where the box reads unticked changes nothing;
// - once an undo has ended the last association of ours, .rm's class is what it was before our
//   first install, rmfile's name and command are what another program last set (none when
//   nothing did), and rmfile starts no Pexalo at all.
#include "Fakes.h"

#include <array>
#include <string>
#include <vector>

struct HistoryPlatform {
    PlayerLocation player;
    // The second is the first in other letters; the last is an earlier Ordinel's, which has no dialog.
    std::array<Text, 4> folders;
};

inline const HistoryPlatform kHistoryPlatforms[] = {
    {{u"Pexalo.exe", u'\\', true}, {u"C:\\Apps\\A", u"c:\\apps\\a", u"D:\\B", u"E:\\Old"}},
    {{u"Pexalo", u'/', false}, {u"/opt/a", u"/OPT/A", u"/srv/b", u"/usr/old"}},
};

struct HistoryStep {
    enum Kind { Apply, OK, ForeignClass, ForeignName, ForeignCommand, EarlierOrdinel, kKinds } kind;
    // The folder, or the foreign value's index. An earlier Ordinel acts only before any of ours.
    std::size_t what;
    bool ticked = false;
};

inline const Text kForeignClasses[] = {u"Foo.Player.1", u"Bar.Player", u"", u"rmfile", u"RMFile", u"RMFILE"};
inline const Text kForeignNames[] = {u"Foo file", u"Bar file", u""};
inline const Text kForeignCommands[] = {u"\"C:\\Foo\\foo.exe\" \"%1\"", u"/usr/bin/bar %1", u""};

// A random step, from `choose(n)`, which answers below n.
template <typename Choose> HistoryStep DrawHistoryStep(Choose&& choose)
{
    const auto kind = static_cast<HistoryStep::Kind>(choose(HistoryStep::kKinds));
    switch (kind) {
    case HistoryStep::ForeignClass: return {kind, choose(std::size(kForeignClasses))};
    case HistoryStep::ForeignName: return {kind, choose(std::size(kForeignNames))};
    case HistoryStep::ForeignCommand: return {kind, choose(std::size(kForeignCommands))};
    case HistoryStep::EarlierOrdinel: return {kind, choose(4)};
    default: return {kind, choose(3), choose(2) == 1};
    }
}

class AssociationHistory {
public:
    explicit AssociationHistory(const HistoryPlatform& platform) : platform_(platform) {}

    // The first broken promise, described; empty when every step kept them all.
    std::string Run(const std::vector<HistoryStep>& steps)
    {
        for (std::size_t i = 0; i < steps.size(); ++i)
            if (const std::string broken = Take(steps[i]); !broken.empty())
                return "step " + std::to_string(i + 1) + ": " + broken;
        return {};
    }

private:
    enum Value { Class, Name, Command };
    static constexpr AssociationPlace kPlaceOf[] = {AssociationPlace::Class, AssociationPlace::Name,
                                                    AssociationPlace::Command};

    Text Read(Value v) const
    {
        const auto found = registry_.values.find(PathOf(kPlaceOf[v]));
        return found == registry_.values.end() ? Text() : found->second.AsString();
    }
    void Write(Value v, const Text& text) { registry_.values[PathOf(kPlaceOf[v])] = Variant::String(text); }

    Text CommandOf(std::size_t folder) const
    {
        return u"\"" + platform_.folders[folder] + platform_.player.folderSeparator + platform_.player.playerFileName +
               u"\" \"%1\"";
    }
    bool SamePath(const Text& a, const Text& b) const
    {
        return platform_.player.pathsIgnoreCase ? EqualIgnoringAsciiCase(a, b) : a == b;
    }
    static bool IsRmfile(const Text& className) { return EqualIgnoringAsciiCase(className, u"rmfile"); }
    bool StartsPlayerOf(std::size_t folder) const
    {
        return IsRmfile(Read(Class)) && SamePath(Read(Command), CommandOf(folder));
    }
    bool AnyPlayerStarts() const
    {
        for (std::size_t folder = 0; folder < platform_.folders.size(); ++folder)
            if (StartsPlayerOf(folder))
                return true;
        return false;
    }
    bool NamesAnyPlayer(const Text& command) const
    {
        for (std::size_t folder = 0; folder < platform_.folders.size(); ++folder)
            if (SamePath(command, CommandOf(folder)))
                return true;
        return false;
    }

    // The dialog of `folder`, loaded; its box as loading left it, or after `button` with `ticked`.
    std::int16_t Dialog(std::size_t folder, void (frmOptions::*button)() = nullptr, bool ticked = false)
    {
        FakeWindow window;
        window.appPath = platform_.folders[folder];
        frmOptions form(window, registry_.Ports(), platform_.player);
        form.Form_Load();
        if (button) {
            window.check1 = ticked ? kChecked : kUnchecked;
            (form.*button)();
        }
        return window.check1;
    }

    std::string Take(const HistoryStep& step)
    {
        const bool oursBefore = AnyPlayerStarts();
        const auto before = registry_.values;
        const Text foreign[] = {kForeignClasses[step.what % std::size(kForeignClasses)],
                                kForeignNames[step.what % std::size(kForeignNames)],
                                kForeignCommands[step.what % std::size(kForeignCommands)]};
        switch (step.kind) {
        case HistoryStep::ForeignClass:
        case HistoryStep::ForeignName:
        case HistoryStep::ForeignCommand: {
            const auto v = static_cast<Value>(step.kind - HistoryStep::ForeignClass);
            const bool sameKey = v == Class && EqualIgnoringAsciiCase(Read(Class), foreign[v]);
            // Pointing .rm at an rmfile that starts a Pexalo makes the association ours again;
            // no undo can tell that from ours.
            if (v == Class && !oursBefore && IsRmfile(foreign[v]) && NamesAnyPlayer(Read(Command)))
                return {};
            // A class named in other letters is the same key: no change of another program's.
            if (!sameKey)
                expected_[v] = foreign[v];
            Write(v, foreign[v]);
            return {};
        }
        case HistoryStep::EarlierOrdinel:
            if (oursActed_)
                return {};
            // It kept the class it replaced, and lost rmfile's name and command.
            if (!IsRmfile(Read(Class)))
                registry_.values[PathOf(AssociationPlace::ClassBackup)] = Variant::String(Read(Class));
            Write(Class, u"rmfile");
            Write(Name, u"RealMedia ファイル");
            Write(Command, CommandOf(step.what));
            expected_[Class] = RegReadString(PathOf(AssociationPlace::ClassBackup), registry_.Ports());
            expected_[Name] = expected_[Command] = Text();
            return {};
        default: break;
        }
        oursActed_ = true;
        const std::size_t folder = step.what;
        const bool tickedBefore = Dialog(folder) == kChecked;
        if (step.ticked && !oursBefore)
            expected_[Class] = Read(Class);
        Dialog(folder, step.kind == HistoryStep::OK ? &frmOptions::cmdOK_Click : &frmOptions::cmdApply_Click,
               step.ticked);
        for (std::size_t f = 0; f < 3; ++f)
            if ((Dialog(f) == kChecked) != StartsPlayerOf(f))
                return "the box of " + Ansi(platform_.folders[f]) + " does not show what the shell starts";
        if (!step.ticked && !tickedBefore && registry_.values != before)
            return "unticking an unticked box changed the registry";
        if (!step.ticked && oursBefore && !AnyPlayerStarts()) {
            for (Value v : {Class, Name, Command})
                if (Read(v) != expected_[v])
                    return "after the last undo, value " + std::to_string(v) + " is " + Ansi(Read(v)) + ", not " +
                           Ansi(expected_[v]);
            if (NamesAnyPlayer(Read(Command)))
                return "after the last undo, rmfile still starts a Pexalo";
        }
        return {};
    }

    std::string Ansi(const Text& text) const { return registry_.codePage.ToAnsi(text); }

    const HistoryPlatform& platform_;
    FakeRegistry registry_;
    // What .rm's class was before our first install, and rmfile's name and command as another
    // program last set them: what the last undo must leave.
    Text expected_[3];
    bool oursActed_ = false;
};
