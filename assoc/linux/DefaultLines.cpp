#include "DefaultLines.h"

#include "KeyFileUpdate.h"
#include "ListLine.h"
#include "OurEntry.h"

#include <glib/gstdio.h>
#include <iterator>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr char kDefaultsGroup[] = "Default Applications";
// File::MimeInfo's mimeopen reads every line for a type, in any group, and takes the last
// one's last id: an added association below the defaults would outvote ours.
constexpr char kAddedGroup[] = "Added Associations";
// In our entry: one key per kept line, a list of the list's path, the group, what was
// missing there and the value as it was, when there was one.
constexpr char kKeptPrefix[] = "X-Ordinel-Kept-Line-";

enum class Missing { Nothing, Line, Group, List };
constexpr const char* kMissingNames[] = {"nothing", "line", "group", "list"};

struct KeptLine {
    std::string list, group;
    std::optional<std::string> value;
    Missing missing = Missing::Nothing;
};

Missing MissingNamed(const char* name)
{
    for (std::size_t i = 0; i < std::size(kMissingNames); ++i)
        if (std::string_view(name) == kMissingNames[i])
            return static_cast<Missing>(i);
    return Missing::Nothing;
}

std::optional<std::string> RawValue(GKeyFile* list, const char* group)
{
    const GCharOwner value(g_key_file_get_value(list, group, kRealMediaType, nullptr));
    return value ? std::optional<std::string>(value.get()) : std::nullopt;
}

bool NamesType(const std::string& path)
{
    const GKeyFileOwner list(g_key_file_new());
    return g_key_file_load_from_file(list.get(), path.c_str(), G_KEY_FILE_NONE, nullptr) &&
           g_key_file_has_key(list.get(), kDefaultsGroup, kRealMediaType, nullptr);
}

std::string InFolder(const std::string& folder, const std::string& name)
{
    const GCharOwner path(g_build_filename(folder.c_str(), name.c_str(), nullptr));
    return path.get();
}

std::string UserMimeAppsList()
{
    return InFolder(g_get_user_config_dir(), "mimeapps.list");
}

// The user's mimeapps.list, and every other list of the user's that names the type: the
// current desktops' own, which GIO and xdg-mime read first, and the old one among the
// applications, which mimeopen reads after (and so above) mimeapps.list.
std::vector<std::string> ListsToWrite()
{
    std::vector<std::string> names;
    const gchar* desktops = g_getenv("XDG_CURRENT_DESKTOP");
    const GStrvOwner current(g_strsplit(desktops ? desktops : "", ":", -1));
    for (gchar** name = current.get(); *name; ++name) {
        const GCharOwner lower(g_ascii_strdown(*name, -1));
        if (**name != '\0')
            names.push_back(std::string(lower.get()) + "-mimeapps.list");
    }
    names.push_back("mimeapps.list");
    std::vector<std::string> lists{UserMimeAppsList()};
    for (const std::string& folder : {std::string(g_get_user_config_dir()), InFolder(g_get_user_data_dir(), "applications")})
        for (const std::string& name : names)
            if (const std::string path = InFolder(folder, name); path != lists.front() && NamesType(path))
                lists.push_back(path);
    return lists;
}

void RemoveKeptKeys(GKeyFile* entry)
{
    const GStrvOwner keys(g_key_file_get_keys(entry, G_KEY_FILE_DESKTOP_GROUP, nullptr, nullptr));
    for (gchar** key = keys.get(); key && *key; ++key)
        if (g_str_has_prefix(*key, kKeptPrefix))
            g_key_file_remove_key(entry, G_KEY_FILE_DESKTOP_GROUP, *key, nullptr);
}

std::vector<KeptLine> ReadKeptLines()
{
    const GKeyFileOwner entry = ReadOurEntry();
    std::vector<KeptLine> kept;
    const GStrvOwner keys(g_key_file_get_keys(entry.get(), G_KEY_FILE_DESKTOP_GROUP, nullptr, nullptr));
    for (gchar** key = keys.get(); key && *key; ++key) {
        if (!g_str_has_prefix(*key, kKeptPrefix))
            continue;
        gsize count = 0;
        const GStrvOwner fields(g_key_file_get_string_list(entry.get(), G_KEY_FILE_DESKTOP_GROUP, *key, &count, nullptr));
        if (count == 3 || count == 4)
            kept.push_back({fields.get()[0], fields.get()[1],
                            count == 4 ? std::optional<std::string>(fields.get()[3]) : std::nullopt,
                            MissingNamed(fields.get()[2])});
    }
    return kept;
}

bool IsKept(const std::vector<KeptLine>& kept, const std::string& list, const std::string& group)
{
    for (const KeptLine& line : kept)
        if (line.list == list && line.group == group)
            return true;
    return false;
}

bool Keep(const std::vector<KeptLine>& lines)
{
    if (lines.empty())
        return true;
    std::vector<KeptLine> kept = ReadKeptLines();
    // The first kept is the one that was there before us.
    for (const KeptLine& line : lines)
        if (!IsKept(kept, line.list, line.group))
            kept.push_back(line);
    return ChangeOurEntry([&](GKeyFile* entry) {
        RemoveKeptKeys(entry);
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const gchar* fields[] = {kept[i].list.c_str(), kept[i].group.c_str(),
                                     kMissingNames[static_cast<int>(kept[i].missing)],
                                     kept[i].value ? kept[i].value->c_str() : nullptr};
            g_key_file_set_string_list(entry, G_KEY_FILE_DESKTOP_GROUP, (kKeptPrefix + std::to_string(i)).c_str(), fields,
                                       kept[i].value ? 4 : 3);
        }
    });
}

bool EndsWithOurs(const std::string& value)
{
    return value.ends_with(std::string(";") + kHandlerId + ";") || value == std::string(kHandlerId) + ";";
}

std::string WithOursLast(const std::string& value)
{
    return value + (value.empty() || value.ends_with(';') ? "" : ";") + kHandlerId + ";";
}

// A list that we made goes once it holds nothing again, and so does its folder.
void RemoveIfEmpty(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || status.st_size != 0 || g_unlink(path.c_str()) != 0)
        return;
    CountDesktopFileChange();
    const GCharOwner folder(g_path_get_dirname(path.c_str()));
    g_rmdir(folder.get());
}

} // namespace

bool SetDefaultLines(const std::string& id)
{
    const bool ours = id == kHandlerId;
    const std::vector<KeptLine> alreadyKept = ReadKeptLines();
    for (const std::string& path : ListsToWrite()) {
        // Our id with nothing kept for it is a line left by an earlier tick (another tool
        // put it back from a stale read, say): untick takes it away.
        const bool known = IsKept(alreadyKept, path, kDefaultsGroup);
        // Set by the pass that replaced them: a later pass finds our own values.
        std::optional<KeptLine> replacedDefault, replacedAdded;
        const bool listMissing = !g_file_test(path.c_str(), G_FILE_TEST_EXISTS);
        const bool written = UpdateKeyFileText(path, [&](const KeyFileUpdate& update) {
            const auto old = RawValue(update.Keys(), kDefaultsGroup);
            const Missing missing = old                                                         ? Missing::Nothing
                                    : listMissing                                               ? Missing::List
                                    : !g_key_file_has_group(update.Keys(), kDefaultsGroup) ? Missing::Group
                                                                                                : Missing::Line;
            if (old != id)
                replacedDefault = KeptLine{path, kDefaultsGroup, old, missing};
            else if (ours && !known && !replacedDefault)
                replacedDefault = KeptLine{path, kDefaultsGroup, std::nullopt, Missing::Line};
            std::string text = WithListLine(update.Text(), kDefaultsGroup, kRealMediaType,
                                            id.empty() ? std::nullopt : std::optional(id));
            const auto added = RawValue(update.Keys(), kAddedGroup);
            if (ours && path.ends_with("/mimeapps.list") && added && !EndsWithOurs(*added)) {
                replacedAdded = KeptLine{path, kAddedGroup, added};
                text = WithListLine(text, kAddedGroup, kRealMediaType, WithOursLast(*added));
            }
            return text;
        });
        std::vector<KeptLine> replaced;
        for (const auto& line : {replacedDefault, replacedAdded})
            if (line)
                replaced.push_back(*line);
        if ((ours && !Keep(replaced)) || !written)
            return false;
    }
    return true;
}

bool DefaultLinesNameUs()
{
    for (const std::string& path : ListsToWrite()) {
        const GKeyFileOwner list(g_key_file_new());
        if (g_key_file_load_from_file(list.get(), path.c_str(), G_KEY_FILE_NONE, nullptr) &&
            RawValue(list.get(), kDefaultsGroup) == kHandlerId)
            return true;
    }
    return false;
}

bool HasKeptDefaultLines()
{
    return !ReadKeptLines().empty();
}

bool RestoreDefaultLines()
{
    bool restored = true;
    for (const KeptLine& line : ReadKeptLines()) {
        restored = UpdateKeyFileText(line.list, [&](const KeyFileUpdate& update) {
            // A line someone set since is theirs, and stays.
            const auto now = RawValue(update.Keys(), line.group.c_str());
            const bool stillOurs = now && (line.group == kDefaultsGroup ? *now == kHandlerId
                                                                        : line.value && *now == WithOursLast(*line.value));
            if (!stillOurs)
                return update.Text();
            const std::string text = WithListLine(update.Text(), line.group, kRealMediaType, line.value);
            return line.missing == Missing::Group || line.missing == Missing::List ? WithoutEmptyGroup(text, line.group)
                                                                                   : text;
        }) && restored;
        if (line.missing == Missing::List)
            RemoveIfEmpty(line.list);
    }
    return restored;
}

bool ForgetDefaultLines()
{
    return !HasKeptDefaultLines() ||
           ChangeOurEntry(RemoveKeptKeys);
}
