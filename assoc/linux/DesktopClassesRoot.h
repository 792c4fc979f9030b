#pragma once
// The classes root of a Linux desktop behind the script host's shell object: the values of
// the .rm association live where the desktop's openers (xdg-open, gio open, mimeopen,
// exo-open, file managers) look for them.
// - HKCR\.rm\: the default application for RealMedia files as a desktop-file id, the class
//   "rmfile" standing for our own entry. Read: what the desktop uses, by GIO's lookup;
//   written: the user's default lines (DefaultLines.h), the empty text removing them.
// - HKCR\rmfile\ and HKCR\rmfile\shell\open\command\: Name and Exec of our own entry in the
//   user's applications folder, the command in its Windows-style form.
// - The "bak" beside each of them: keys of our own entry, which no tool rewriting
//   mimeapps.list touches.
// The empty text removes a key of the entry: the name or command that was not there. Once
// .rm names another class our entry goes, with the links it made. Other paths read as
// missing and refuse writes. Only strings (REG_SZ) are kept.
#include "AppInfoChanges.h"
#include "AssociationStore.h"
#include "RegM.h"

#include <optional>
#include <string>

class DesktopClassesRoot final : public ScriptShellFactory, public AssociationStore {
public:
    std::unique_ptr<ScriptShell> CreateScriptShell() override;

    void Keep() override;
    void GiveBack() override;
    std::vector<std::string> TakeFailures() override;

private:
    AppInfoChanges changes_;
    std::optional<std::string> keptEntry_;
    std::optional<std::string> keptPlayer_;  // the player that the kept entry's link named
};

// Binary values have no place on the desktop: every call is refused.
struct NoBinaryValues final : NativeRegistry {
    static constexpr std::int32_t kErrorAccessDenied = 5;
    std::int32_t RegCreateKeyExA(std::uint32_t, const std::string&, std::uint32_t, const char*, std::uint32_t,
                                 std::uint32_t, const SecurityAttributes*, Key*, std::uint32_t*) override
    {
        return kErrorAccessDenied;
    }
    std::int32_t RegSetValueExA(Key, const std::string&, std::uint32_t, std::uint32_t, const std::uint8_t*,
                                std::uint32_t) override
    {
        return kErrorAccessDenied;
    }
    std::int32_t RegCloseKey(Key) override { return kErrorAccessDenied; }
};
