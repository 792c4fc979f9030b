// End to end: the real Ordinel.exe, its real dialog and the registry, driven as a user
// would drive them.
#include "ClassesRoot.h"
#include "OptionsControls.h"
#include "OrdinelProcess.h"
#include "frmOptionsDesign.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const std::wstring kHere = L"C:\\OrdinelTest\\Here";
const std::wstring kThere = L"C:\\OrdinelTest\\There";
const std::wstring kHereCommand = L"\"C:\\OrdinelTest\\Here\\Pexalo.exe\" \"%1\"";
const std::wstring kFile = L"RealMedia ファイル";
const AssociationState kInstalledHere{L"rmfile", L"Other", kFile, kHereCommand};
const std::wstring kFooName = L"Foo file", kFooCommand = L"\"C:\\Foo\\foo.exe\" \"%1\"";

class OrdinelDialog : public testing::Test {
protected:
    void SetUp() override { SetAssociation({}); }
    void TearDown() override { SetAssociation({}); }

};

// Clicks reach the dialog through its message queue: every check polls until the
// expected state shows or a generous limit has passed, and then reports what it saw.
template <class Read, class Value>
Value Eventually(Read read, const Value& expected)
{
    Value now = read();
    for (DWORD waited = 0; now != expected && waited < 30000; waited += 50) {
        Sleep(50);
        now = read();
    }
    return now;
}

std::int16_t EventualCheck1(OrdinelProcess& ordinel, std::int16_t expected)
{
    HWND check1 = ordinel.Control(kIdCheck1);
    return Eventually([&] { return static_cast<std::int16_t>(SendAndWait(check1, BM_GETCHECK)); }, expected);
}

// Another program's class RMFile is the key rmfile: install keeps its name and command,
// and undo gives all of it back.
TEST_F(OrdinelDialog, TickAndApplyInstallsAndStaysOpenThenUntickAndOkGivesBackWhatWasThere)
{
    const AssociationState before{L"RMFile", {}, kFooName, kFooCommand};
    SetAssociation(before);
    OrdinelProcess ordinel(InstallCopy(kHere));
    ASSERT_TRUE(ordinel.Dialog());
    EXPECT_EQ(EventualCheck1(ordinel, 0), 0);
    ordinel.Click(kIdCheck1);
    ordinel.Click(kIdCmdApply);
    const AssociationState installed{L"rmfile", L"RMFile", kFile, kHereCommand, kFooName, kFooCommand};
    EXPECT_EQ(Eventually(ReadAssociation, installed), installed);
    EXPECT_EQ(EventualCheck1(ordinel, 1), 1);
    EXPECT_FALSE(ordinel.Exited(0)) << "Apply keeps the dialog open";
    ordinel.Click(kIdCheck1);
    EXPECT_EQ(EventualCheck1(ordinel, 0), 0);
    ordinel.Click(kIdCmdOK);
    EXPECT_TRUE(ordinel.Exited());
    EXPECT_EQ(ReadAssociation(),
              (AssociationState{L"RMFile", L"RMFile", kFooName, kFooCommand, kFooName, kFooCommand}));
}

TEST_F(OrdinelDialog, OkOnAnUnchangedTickedBoxInstallsAgain)
{
    SetAssociation({L"rmfile", L"Other", L"old name", kHereCommand});
    OrdinelProcess ordinel(InstallCopy(kHere));
    ASSERT_TRUE(ordinel.Dialog());
    EXPECT_EQ(EventualCheck1(ordinel, 1), 1);
    ordinel.Click(kIdCmdOK);
    EXPECT_TRUE(ordinel.Exited());
    EXPECT_EQ(ReadAssociation(), (AssociationState{L"rmfile", L"Other", kFile, kHereCommand, L"old name"}));
}

// The box opens unticked over another program's rmfile: Apply and OK leave it whole.
TEST_F(OrdinelDialog, AnUntickedApplyLeavesAnotherProgramsRmfileAlone)
{
    const AssociationState foreign{L"rmfile", {}, kFooName, kFooCommand};
    SetAssociation(foreign);
    OrdinelProcess ordinel(InstallCopy(kHere));
    ASSERT_TRUE(ordinel.Dialog());
    ordinel.Click(kIdCmdApply);
    ordinel.Click(kIdCmdOK);
    EXPECT_TRUE(ordinel.Exited());
    EXPECT_EQ(ReadAssociation(), foreign);
}

enum class Leave { CancelButton, Escape, CloseBox };

class LeavingWithoutApplying : public OrdinelDialog, public testing::WithParamInterface<Leave> {};

TEST_P(LeavingWithoutApplying, ChangesNothing)
{
    for (const AssociationState& before : {kInstalledHere, AssociationState{L"Foo.Player.1"}}) {
        SetAssociation(before);
        OrdinelProcess ordinel(InstallCopy(kHere));
        ASSERT_TRUE(ordinel.Dialog());
        ordinel.Click(kIdCheck1);
        switch (GetParam()) {
        case Leave::CancelButton: ordinel.Click(kIdCmdCancel); break;
        case Leave::Escape: PostMessageW(ordinel.Control(kIdCheck1), WM_KEYDOWN, VK_ESCAPE, 1); break;
        case Leave::CloseBox: PostMessageW(ordinel.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
        EXPECT_TRUE(ordinel.Exited());
        EXPECT_EQ(ReadAssociation(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(OrdinelDialog, LeavingWithoutApplying,
                         testing::Values(Leave::CancelButton, Leave::Escape, Leave::CloseBox));

TEST_F(OrdinelDialog, OpensTickedOnlyWhenInstalledFromItsOwnFolder)
{
    SetAssociation(kInstalledHere);
    for (const auto& [folder, ticked] : {std::pair{kHere, 1}, std::pair{kThere, 0}}) {
        OrdinelProcess ordinel(InstallCopy(folder));
        ASSERT_TRUE(ordinel.Dialog());
        EXPECT_EQ(EventualCheck1(ordinel, ticked), ticked) << folder;
        ordinel.Click(kIdCmdCancel);
        EXPECT_TRUE(ordinel.Exited());
    }
}

TEST_F(OrdinelDialog, AtADriveRootTheCommandHasOneBackslash)
{
    const std::wstring copy = InstallCopy(L"C:\\");
    {
        OrdinelProcess ordinel(copy);
        ASSERT_TRUE(ordinel.Dialog());
        ordinel.Click(kIdCheck1);
        ordinel.Click(kIdCmdOK);
        EXPECT_TRUE(ordinel.Exited());
    }
    DeleteFileW(copy.c_str());
    EXPECT_EQ(ReadAssociation().command, L"\"C:\\Pexalo.exe\" \"%1\"");
}

RECT ClientRectIn(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(OrdinelDialog, IsLaidOutAsDesigned)
{
    using namespace frmOptionsDesign;
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    auto pixels = [&](const TwipRect& t) {
        return RECT{TwipsToPixels(t.left, dpiX), TwipsToPixels(t.top, dpiY),
                    TwipsToPixels(t.left, dpiX) + TwipsToPixels(t.width, dpiX),
                    TwipsToPixels(t.top, dpiY) + TwipsToPixels(t.height, dpiY)};
    };
    auto same = [](RECT a, RECT b) { return EqualRect(&a, &b) != 0; };

    OrdinelProcess ordinel(InstallCopy(kHere));
    HWND dialog = ordinel.Dialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(WindowText(dialog), L"オプション");

    const LONG style = GetWindowLongW(dialog, GWL_STYLE), exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "the close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    HWND owner = GetWindow(dialog, GW_OWNER);
    EXPECT_TRUE(owner && !IsWindowVisible(owner)) << "a hidden owner keeps it off the taskbar";

    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, TwipsToPixels(kClientWidth, dpiX));
    EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeight, dpiY));
    RECT frame;
    GetWindowRect(dialog, &frame);
    EXPECT_LE(std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)), 1) << "centred";
    EXPECT_LE(std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)), 1) << "centred";

    struct Expected { int id; ControlDesign design; };
    for (const Expected& c : {Expected{kIdCmdOK, kCmdOK}, {kIdCmdCancel, kCmdCancel}, {kIdCmdApply, kCmdApply},
                              {kIdCheck1, kCheck1}}) {
        HWND control = ordinel.Control(c.id);
        ASSERT_TRUE(control) << c.id;
        EXPECT_EQ(WindowText(control), reinterpret_cast<const wchar_t*>(c.design.caption));
        EXPECT_TRUE(same(ClientRectIn(dialog, control), pixels(c.design.rect))) << c.id;
        EXPECT_TRUE(IsWindowVisible(control) && IsWindowEnabled(control)) << c.id;
    }
    for (int index = 1; index <= 3; ++index) {
        HWND page = ordinel.Control(kIdPicOptions + index);
        ASSERT_TRUE(page);
        EXPECT_TRUE(same(ClientRectIn(dialog, page), pixels(kPicOptions))) << "outside the visible area";
        EXPECT_EQ(WindowText(GetDlgItem(page, kIdFraSample + index + 1)),
                  reinterpret_cast<const wchar_t*>(kFraSampleCaptions[index - 1]));
    }

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(ordinel.ThreadId(), &thread));
    EXPECT_EQ(thread.hwndFocus, ordinel.Control(kIdCmdOK)) << "focus starts on OK";
    HWND next = ordinel.Control(kIdCmdOK);
    for (int id : {kIdCmdCancel, kIdCmdApply, kIdCheck1, kIdCmdOK}) {
        next = GetNextDlgTabItem(dialog, next, FALSE);
        EXPECT_EQ(GetDlgCtrlID(next), id) << "tab order";
    }
    ordinel.Click(kIdCmdCancel);
    EXPECT_TRUE(ordinel.Exited());
}

} // namespace
