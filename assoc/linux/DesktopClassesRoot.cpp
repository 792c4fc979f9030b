#include "DesktopClassesRoot.h"

#include "AssociationPlaces.h"

#include "ExecLine.h"
#include "GLibOwners.h"
#include "KeyFileUpdate.h"

namespace {

constexpr TextView kClassName = u"rmfile";
constexpr char kDefaultsGroup[] = "Default Applications";

const char* EntryKey(AssociationPlace place)
{
    switch (place) {
    case AssociationPlace::ClassBackup: return "X-Ordinel-Previous-Default";
    case AssociationPlace::Name: return "Name";
    case AssociationPlace::NameBackup: return "X-Ordinel-Previous-Name";
    case AssociationPlace::Command: return "Exec";
    default: return "X-Ordinel-Previous-Exec";
    }
}

std::optional<std::string> Utf8(TextView text)
{
    if (text.find(u'\0') != TextView::npos)
        return std::nullopt;
    glong length = 0;
    const GCharOwner utf8(g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text.data()),
                                          static_cast<glong>(text.size()), nullptr, &length, nullptr));
    return utf8 ? std::optional(std::string(utf8.get(), static_cast<std::size_t>(length))) : std::nullopt;
}

Text FromUtf8(const std::string& utf8)
{
    glong length = 0;
    const GCharOwner text(reinterpret_cast<gchar*>(
        g_utf8_to_utf16(utf8.data(), static_cast<glong>(utf8.size()), nullptr, &length, nullptr)));
    return text ? Text(reinterpret_cast<const char16_t*>(text.get()), static_cast<std::size_t>(length)) : Text();
}

Text ClassOfId(const std::string& id)
{
    return id == kHandlerId ? Text(kClassName) : FromUtf8(id);
}

// Nothing, with the reason on the standard error, for a text that names no desktop file.
std::optional<std::string> IdOfClass(TextView className)
{
    if (EqualIgnoringAsciiCase(className, kClassName))
        return kHandlerId;
    auto id = Utf8(className);
    const bool named = id && (id->empty() || (id->ends_with(".desktop") &&
                                              id->find_first_of("/;\t\n\r") == std::string::npos));
    if (!named) {
        ReportFailure("not a desktop-file id: " + id.value_or("?"));
        return std::nullopt;
    }
    return id;
}

std::string EntryPath()
{
    const GCharOwner path(g_build_filename(g_get_user_data_dir(), "applications", kHandlerId, nullptr));
    return path.get();
}

std::string MimeAppsPath()
{
    const GCharOwner path(g_build_filename(g_get_user_config_dir(), "mimeapps.list", nullptr));
    return path.get();
}

std::optional<std::string> ReadEntryKey(const char* key)
{
    const GKeyFileOwner entry(g_key_file_new());
    if (!g_key_file_load_from_file(entry.get(), EntryPath().c_str(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    const GCharOwner value(g_key_file_get_string(entry.get(), G_KEY_FILE_DESKTOP_GROUP, key, nullptr));
    return value ? std::optional<std::string>(value.get()) : std::nullopt;
}

// The entry stays a valid handler for RealMedia files that no menu shows, whatever the write.
void SetEntryBasics(GKeyFile* entry)
{
    g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TYPE,
                          G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    const gchar* const types[] = {kRealMediaType};
    g_key_file_set_string_list(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_MIME_TYPE, types, 1);
    g_key_file_set_boolean(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NO_DISPLAY, TRUE);
}

class DesktopScriptShell final : public ScriptShell {
public:
    explicit DesktopScriptShell(AppInfoChanges& changes) : changes_(changes) {}

    std::optional<Variant> RegRead(const Text& path) override
    {
        const auto place = PlaceOf(path);
        if (!place)
            return std::nullopt;
        if (*place == AssociationPlace::Class)
            return ReadClass();
        auto value = ReadEntryKey(EntryKey(*place));
        if (value && (*place == AssociationPlace::Command || *place == AssociationPlace::CommandBackup))
            value = CommandFromExec(*value);
        if (!value)
            return std::nullopt;
        return Variant::String(*place == AssociationPlace::ClassBackup ? ClassOfId(*value) : FromUtf8(*value));
    }

    bool RegWrite(const Text& path, const Variant& value, const Text& type) override
    {
        const auto place = PlaceOf(path);
        if (!place || type != u"REG_SZ" || value.ValueType() != VarType::BStr)
            return false;
        const Text& text = value.AsString();
        if (*place == AssociationPlace::Class || *place == AssociationPlace::ClassBackup) {
            const auto id = IdOfClass(text);
            return id && (*place == AssociationPlace::Class ? WriteClass(*id) : WriteEntryKey(EntryKey(*place), *id));
        }
        // The empty text stands for none: no key, rather than a Name or Exec that says nothing.
        if (text.empty())
            return RemoveEntryKey(EntryKey(*place));
        auto utf8 = Utf8(text);
        if (utf8 && (*place == AssociationPlace::Command || *place == AssociationPlace::CommandBackup)) {
            utf8 = ExecFromCommand(*utf8);
            if (!utf8)
                ReportFailure("no Exec line can start this command: " + Utf8(text).value_or("?"));
        }
        return utf8 && WriteEntryKey(EntryKey(*place), *utf8);
    }

private:
    static std::optional<Variant> ReadClass()
    {
        const GObjectOwner info(g_app_info_get_default_for_type(kRealMediaType, FALSE));
        const char* id = info ? g_app_info_get_id(G_APP_INFO(info.get())) : nullptr;
        return id ? std::optional(Variant::String(ClassOfId(id))) : std::nullopt;
    }

    bool WriteClass(const std::string& id)
    {
        return Update(MimeAppsPath(), [&](GKeyFile* list) {
            if (id.empty())
                g_key_file_remove_key(list, kDefaultsGroup, kRealMediaType, nullptr);
            else
                g_key_file_set_string(list, kDefaultsGroup, kRealMediaType, id.c_str());
        });
    }

    bool WriteEntryKey(const char* key, const std::string& value)
    {
        return Update(EntryPath(), [&](GKeyFile* entry) {
            SetEntryBasics(entry);
            g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, key, value.c_str());
        });
    }

    bool RemoveEntryKey(const char* key)
    {
        return Update(EntryPath(), [&](GKeyFile* entry) {
            SetEntryBasics(entry);
            g_key_file_remove_key(entry, G_KEY_FILE_DESKTOP_GROUP, key, nullptr);
        });
    }

    template <typename Change> bool Update(const std::string& path, Change change)
    {
        changes_.Watch();
        const auto update = KeyFileUpdate::Open(path);
        if (!update)
            return false;
        change(update->Keys());
        const Saved saved = update->Save();
        if (saved == Saved::Written)
            changes_.Await();
        return saved != Saved::Failed;
    }

    AppInfoChanges& changes_;
};

} // namespace

std::unique_ptr<ScriptShell> DesktopClassesRoot::CreateScriptShell()
{
    return std::make_unique<DesktopScriptShell>(changes_);
}
