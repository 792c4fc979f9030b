// Any run of loads, applies and cancels over any registry contents and refused writes. What
// another program set (.rm's class, RMFile among them, rmfile's name and command) is never lost:
// it stays or waits in its backup. Without a folder nothing is written; from one a command can
// name, a ticked box with every write allowed always ends installed.
#include "Fakes.h"
#include "FuzzInput.h"

#include <array>

namespace {

const PlayerLocation kPlayer{u"Pexalo.exe", u'\\', true};

Variant AnyValue(FuzzInput& in)
{
    switch (in.Byte() % 4) {
    case 0: return Variant::String(in.TextPart(64));
    case 1: return Variant::String(in.Byte() % 2 ? u"rmfile" : u"RMFile");
    case 2: return Variant::I4(in.Byte());
    default: return Variant::ByteArray({in.Byte()});
    }
}

// The i-th kept value, or with `backup` its backup.
Text Read(FakeRegistry& registry, std::size_t i, bool backup = false)
{
    return RegReadString(kAssociationPaths[2 * i + backup], registry.Ports());
}

// What another program set at each kept value; empty where nothing, or our own, stands.
std::array<Text, 3> Foreign(FakeRegistry& registry, frmOptions& form)
{
    const bool ours = EqualIgnoringAsciiCase(Read(registry, 0), u"rmfile") && form.StartsAPlayer(Read(registry, 2));
    std::array<Text, 3> foreign{ours ? Text() : Read(registry, 0), Read(registry, 1), Read(registry, 2)};
    if (foreign[1] == u"RealMedia ファイル")
        foreign[1].clear();
    if (form.StartsAPlayer(foreign[2]))
        foreign[2].clear();
    return foreign;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    FakeRegistry registry;
    for (const Text& path : kAssociationPaths)
        if (in.Byte() % 2)
            registry.values[path] = AnyValue(in);

    FakeWindow window;
    // An empty folder text stands for one that the platform cannot name.
    if (Text folder = in.TextPart(32); !folder.empty())
        window.appPath = std::move(folder);
    frmOptions form(window, registry.Ports(), kPlayer);
    form.Form_Load();
    const auto foreign = Foreign(registry, form);

    while (!in.Empty()) {
        const std::uint8_t step = in.Byte();
        registry.refusedWrites.clear();
        for (std::size_t i = 0; i < kAssociationPlaces.size(); ++i)
            if (step & (4 << i) && in.Byte() % 3 == 0)
                registry.refusedWrites.insert(kAssociationPaths[i]);
        window.check1 = static_cast<std::int16_t>(in.Byte() % 3);
        const bool ticked = window.check1 == kChecked;
        switch (step % 3) {
        case 0: form.cmdApply_Click(); break;
        case 1: form.cmdOK_Click(); break;
        default: form.cmdCancel_Click(); break;
        }
        for (std::size_t i = 0; i < foreign.size(); ++i)
            FUZZ_ASSERT(foreign[i].empty() || Read(registry, i) == foreign[i] ||
                        Read(registry, i, true) == foreign[i]);
        if (!window.appPath)
            FUZZ_ASSERT(registry.calls.empty());
        const bool nameable = form.mAppDir.find_first_of(u"\"%") == Text::npos;
        if (step % 3 != 2 && ticked && window.appPath && nameable && registry.refusedWrites.empty())
            FUZZ_ASSERT(form.CheckShellConnecting() && window.check1 == kChecked);
    }
    return 0;
}
