#include "OurEntry.h"

#include "FailureReport.h"
#include "KeyFileUpdate.h"
#include "PlayerLink.h"

#include <gio/gdesktopappinfo.h>
#include <glib/gstdio.h>

#include <vector>

namespace {

constexpr char kOwnerKey[] = "X-Ordinel-Owned";
// The folders that making the entry made, outermost first: they go with it.
constexpr char kMadeFoldersKey[] = "X-Ordinel-Made-Folders";

std::vector<std::string> MissingFolders()
{
    std::vector<std::string> missing;
    for (std::string folder = OurEntryPath();;) {
        const GCharOwner parent(g_path_get_dirname(folder.c_str()));
        if (folder == parent.get() || g_file_test(parent.get(), G_FILE_TEST_IS_DIR))
            return missing;
        folder = parent.get();
        missing.insert(missing.begin(), folder);
    }
}

bool HasOurKeys(GKeyFile* entry)
{
    const GStrvOwner keys(g_key_file_get_keys(entry, G_KEY_FILE_DESKTOP_GROUP, nullptr, nullptr));
    for (gchar** key = keys.get(); key && *key; ++key)
        if (g_str_has_prefix(*key, "X-Ordinel-"))
            return true;
    return false;
}

bool IsOurs(GKeyFile* entry)
{
    if (!g_key_file_has_group(entry, G_KEY_FILE_DESKTOP_GROUP) || HasOurKeys(entry))
        return true;
    ReportFailure(OurEntryPath() + ": Ordinel が書いたものではないため、書き換えません");
    return false;
}

} // namespace

std::string OurEntryPath()
{
    const GCharOwner path(g_build_filename(g_get_user_data_dir(), "applications", kHandlerId, nullptr));
    return path.get();
}

GKeyFileOwner ReadOurEntry()
{
    GKeyFileOwner entry(g_key_file_new());
    if (!g_key_file_load_from_file(entry.get(), OurEntryPath().c_str(), G_KEY_FILE_NONE, nullptr))
        entry.reset(g_key_file_new());
    return entry;
}

std::optional<std::string> ReadOurEntryKey(const char* key)
{
    const GKeyFileOwner entry = ReadOurEntry();
    const GCharOwner value(g_key_file_get_string(entry.get(), G_KEY_FILE_DESKTOP_GROUP, key, nullptr));
    return value ? std::optional<std::string>(value.get()) : std::nullopt;
}

bool WriteOurEntryKey(const char* key, const std::string& value)
{
    if (value.empty() && !g_file_test(OurEntryPath().c_str(), G_FILE_TEST_EXISTS))
        return true;
    return ChangeOurEntry([&](GKeyFile* entry) {
        if (value.empty())
            g_key_file_remove_key(entry, G_KEY_FILE_DESKTOP_GROUP, key, nullptr);
        else
            g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, key, value.c_str());
    });
}

bool ChangeOurEntry(const std::function<void(GKeyFile*)>& change)
{
    const std::vector<std::string> missing = MissingFolders();
    bool ours = true;
    const bool changed = UpdateKeyFile(OurEntryPath(), [&](GKeyFile* entry) {
        ours = IsOurs(entry);
        if (!ours)
            return;
        if (!g_key_file_has_group(entry, G_KEY_FILE_DESKTOP_GROUP)) {
            g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TYPE,
                                  G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
            const gchar* const types[] = {kRealMediaType};
            g_key_file_set_string_list(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_MIME_TYPE, types, 1);
            g_key_file_set_boolean(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NO_DISPLAY, TRUE);
            g_key_file_set_boolean(entry, G_KEY_FILE_DESKTOP_GROUP, kOwnerKey, TRUE);
            std::vector<const gchar*> folders;
            for (const std::string& folder : missing)
                folders.push_back(folder.c_str());
            if (!folders.empty())
                g_key_file_set_string_list(entry, G_KEY_FILE_DESKTOP_GROUP, kMadeFoldersKey, folders.data(),
                                           folders.size());
        }
        change(entry);
    });
    return ours && changed;
}

bool RemoveOurEntry()
{
    const std::string path = OurEntryPath();
    const GKeyFileOwner entry = ReadOurEntry();
    if (!g_key_file_has_group(entry.get(), G_KEY_FILE_DESKTOP_GROUP))
        return RemovePlayerLinks();
    if (!IsOurs(entry.get()))
        return false;
    if (g_unlink(path.c_str()) != 0) {
        ReportFailure(path + ": 消せませんでした");
        return false;
    }
    CountDesktopFileChange();
    const bool unlinked = RemovePlayerLinks();
    gsize count = 0;
    const GStrvOwner made(g_key_file_get_string_list(entry.get(), G_KEY_FILE_DESKTOP_GROUP, kMadeFoldersKey, &count, nullptr));
    // Innermost first; a folder that holds anything now is someone's, and stays.
    while (count > 0)
        g_rmdir(made.get()[--count]);
    return unlinked;
}

bool DesktopTakesOurEntry()
{
    const GKeyFileOwner entry = ReadOurEntry();
    if (!g_key_file_has_group(entry.get(), G_KEY_FILE_DESKTOP_GROUP) || !IsOurs(entry.get()))
        return false;
    const GObjectOwner info(g_desktop_app_info_new_from_filename(OurEntryPath().c_str()));
    if (!info)
        ReportFailure(OurEntryPath() + ": デスクトップがこのエントリーを使いません (Exec の Pexalo が見つからないか、行に誤りがあります)");
    return info != nullptr;
}
