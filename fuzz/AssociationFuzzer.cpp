// Any run of loads, applies and cancels over any registry contents and refused writes.
// What another program set (.rm's class, RMFile among them, rmfile's name and command)
// is never lost: it stays or waits in its backup, and an install followed
// by undo puts it all back. A folder that cannot be named writes nothing, and an install
// that could write everything, from a folder that a command can name, is always seen as
// installed.
#include "FakeRegistry.h"
#include "FuzzInput.h"
#include "frmOptions.h"

#include <array>
#include <iterator>

namespace {

const Text kClass = u"HKCR\\.rm\\", kBackup = u"HKCR\\.rm\\bak", kName = u"HKCR\\rmfile\\",
           kNameBackup = u"HKCR\\rmfile\\bak", kCommand = u"HKCR\\rmfile\\shell\\open\\command\\",
           kCommandBackup = kCommand + u"bak";
// Each value another program may have set, followed by its backup.
const Text* const kPaths[] = {&kClass, &kBackup, &kName, &kNameBackup, &kCommand, &kCommandBackup};
const PlayerLocation kPlayer{u"Pexalo.exe", u'\\'};

struct Window final : OptionsWindow {
    std::optional<Text> appPath;
    std::int16_t check = kUnchecked;
    std::optional<Text> AppPath() override { return appPath; }
    std::int16_t Check1Value() override { return check; }
    void SetCheck1Value(std::int16_t value) override { check = value; }
    void Unload() override {}
    void AssociationsChanged() override {}
};

Variant AnyValue(FuzzInput& in)
{
    switch (in.Byte() % 4) {
    case 0: return Variant::String(in.TextPart(64));
    case 1: return Variant::String(in.Byte() % 2 ? u"rmfile" : u"RMFile");
    case 2: return Variant::I4(in.Byte());
    default: return Variant::ByteArray({in.Byte()});
    }
}

Text ReadString(FakeRegistry& registry, const Text& path)
{
    return RegReadString(path, registry.Ports());
}

// What another program set at each kept value; empty where nothing, or our own, stands.
std::array<Text, 3> Foreign(FakeRegistry& registry, frmOptions& form)
{
    const bool ours = form.CheckShellConnecting();
    const Text own[] = {ours ? ReadString(registry, kClass) : Text(), u"RealMedia ファイル", form.PlayerCommand()};
    std::array<Text, 3> foreign;
    for (std::size_t i = 0; i < foreign.size(); ++i)
        if (const Text value = ReadString(registry, *kPaths[2 * i]); value != own[i])
            foreign[i] = value;
    return foreign;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    FakeRegistry registry;
    for (const Text* path : kPaths)
        if (in.Byte() % 2)
            registry.values[*path] = AnyValue(in);

    Window window;
    // An empty folder text stands for one that the platform cannot name.
    if (Text folder = in.TextPart(32); !folder.empty())
        window.appPath = std::move(folder);
    frmOptions form(window, registry.Ports(), kPlayer);
    form.Form_Load();
    const std::array<Text, 3> foreign = Foreign(registry, form);

    {
        FakeRegistry copy = registry;
        Window copyWindow = window;
        frmOptions copyForm(copyWindow, copy.Ports(), kPlayer);
        copyForm.Form_Load();
        copyForm.ShellConnecting();
        copyForm.UnShellConnecting();
        for (std::size_t i = 0; i < foreign.size(); ++i)
            if (!foreign[i].empty())
                FUZZ_ASSERT(ReadString(copy, *kPaths[2 * i]) == foreign[i]);
    }

    while (!in.Empty()) {
        const std::uint8_t step = in.Byte();
        registry.refusedWrites.clear();
        for (std::size_t i = 0; i < std::size(kPaths); ++i)
            if (step & (4 << i) && in.Byte() % 3 == 0)
                registry.refusedWrites.insert(*kPaths[i]);
        window.check = static_cast<std::int16_t>(in.Byte() % 3);
        const bool ticked = window.check == kChecked;
        switch (step % 3) {
        case 0: form.cmdApply_Click(); break;
        case 1: form.cmdOK_Click(); break;
        default: form.cmdCancel_Click(); break;
        }
        for (std::size_t i = 0; i < foreign.size(); ++i)
            FUZZ_ASSERT(foreign[i].empty() || ReadString(registry, *kPaths[2 * i]) == foreign[i] ||
                        ReadString(registry, *kPaths[2 * i + 1]) == foreign[i]);
        if (!window.appPath)
            FUZZ_ASSERT(registry.scriptWrites.empty());
        const bool nameable = form.mAppDir.find_first_of(u"\"%") == Text::npos;
        if (step % 3 != 2 && ticked && window.appPath && nameable && registry.refusedWrites.empty())
            FUZZ_ASSERT(form.CheckShellConnecting() && window.check == kChecked);
    }
    return 0;
}
