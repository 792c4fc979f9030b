// Any run of loads, applies and cancels over any registry contents and refused writes:
// the class that .rm had at the start is never lost, and an install that could write
// everything, from a folder that a command can name, is always seen as installed.
#include "FakeRegistry.h"
#include "FuzzInput.h"
#include "frmOptions.h"

namespace {

const Text kClass = u"HKCR\\.rm\\", kBackup = u"HKCR\\.rm\\bak", kName = u"HKCR\\rmfile\\",
           kCommand = u"HKCR\\rmfile\\shell\\open\\command\\";
const Text* const kPaths[] = {&kClass, &kBackup, &kName, &kCommand};

struct Window final : OptionsWindow {
    Text appPath;
    std::int16_t check = kUnchecked;
    Text AppPath() override { return appPath; }
    std::int16_t Check1Value() override { return check; }
    void SetCheck1Value(std::int16_t value) override { check = value; }
    void Unload() override {}
    void AssociationsChanged() override {}
};

Variant AnyValue(FuzzInput& in)
{
    switch (in.Byte() % 4) {
    case 0: return Variant::String(in.TextPart(64));
    case 1: return Variant::String(u"rmfile");
    case 2: return Variant::I4(in.Byte());
    default: return Variant::ByteArray({in.Byte()});
    }
}

Text ReadString(FakeRegistry& registry, const Text& path)
{
    return RegReadString(path, registry.Ports());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    FakeRegistry registry;
    for (const Text* path : kPaths)
        if (in.Byte() % 2)
            registry.values[*path] = AnyValue(in);
    const Text original = ReadString(registry, kClass);
    const bool mustKeep = original != u"rmfile" && registry.values.count(kClass);

    Window window;
    window.appPath = in.TextPart(32);
    frmOptions form(window, registry.Ports(), {u"Pexalo.exe", u'\\'});
    form.Form_Load();

    while (!in.Empty()) {
        const std::uint8_t step = in.Byte();
        registry.refusedWrites.clear();
        for (const Text* path : kPaths)
            if (step & (0x10 << (path - kPaths[0] == 0 ? 0 : 1)) && in.Byte() % 3 == 0)
                registry.refusedWrites.insert(*path);
        window.check = static_cast<std::int16_t>(in.Byte() % 3);
        const bool ticked = window.check == kChecked;
        switch (step % 3) {
        case 0: form.cmdApply_Click(); break;
        case 1: form.cmdOK_Click(); break;
        default: form.cmdCancel_Click(); break;
        }
        if (mustKeep)
            FUZZ_ASSERT(ReadString(registry, kClass) == original || ReadString(registry, kBackup) == original);
        const bool nameable = form.mAppDir.find_first_of(u"\"%") == Text::npos;
        if (step % 3 != 2 && ticked && nameable && registry.refusedWrites.empty())
            FUZZ_ASSERT(form.CheckShellConnecting() && window.check == kChecked);
    }
    return 0;
}
