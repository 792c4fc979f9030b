#include "OptionsDialog.h"

#include "OptionsControls.h"
#include "PlatformErrorReport.h"

#include <shlobj.h>

namespace {

const wchar_t* Wide(const char16_t* text)
{
    return reinterpret_cast<const wchar_t*>(text);
}

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// The longest path Windows can name, in UTF-16 units with its NUL.
constexpr std::size_t kLongestPath = 32768;

// The folder of this program's executable as the application's path is reported: without
// its trailing backslash, except at a drive root. Nothing when Windows cannot name it.
std::optional<Text> ModuleFolder()
{
    Text path(MAX_PATH, u'\0');
    DWORD length = 0;
    // A name cut to fit fills the whole buffer: try again with more room.
    while ((length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()),
                                        static_cast<DWORD>(path.size()))) == path.size() &&
           path.size() < kLongestPath)
        path.resize(path.size() * 2);
    const std::size_t lastBackslash = path.rfind(u'\\', length);
    if (length == 0 || length == path.size() || lastBackslash == Text::npos)
        return std::nullopt;
    path.resize(lastBackslash);
    if (path.size() == 2 && path[1] == u':')
        path.push_back(u'\\');
    return path;
}

} // namespace

OptionsDialog::~OptionsDialog()
{
    if (window_)
        DestroyWindow(window_);
    if (owner_)
        DestroyWindow(owner_);
}

int OptionsDialog::Run(frmOptions& form)
{
    form_ = &form;
    // Nothing is shown yet, so no window stays open behind the report.
    if (!CreateDialogWindow())
        ReportPlatformErrorAndExit(LastPlatformError());
    form.Form_Load();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetFocus(cmdOK_);

    MSG message;
    while (NextMessage(message)) {
        if (window_ && IsDialogMessageW(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool OptionsDialog::CreateDialogWindow()
{
    dpi_ = ReadScreenDpi();

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnedWindowProc<OptionsDialog>;
    windowClass.hInstance = instance_;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kOptionsWindowClass;
    if (!RegisterClassExW(&windowClass))
        return false;

    owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);
    if (!owner_)
        return false;

    using namespace frmOptionsDesign;
    RECT frame{0, 0, TwipsToPixels(kClientWidth, dpi_.x), TwipsToPixels(kClientHeight, dpi_.y)};
    AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = CreateWindowExW(kDialogExStyle, kOptionsWindowClass, Wide(kCaption), kDialogStyle, left, top, width,
                              height, owner_, nullptr, instance_, this);
    return window_ && CreateControls();
}

// A control that is missing would read as an unticked box, and Apply would undo.
bool OptionsDialog::CreateControls()
{
    using namespace frmOptionsDesign;
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // Created in tab order, which is the order the keyboard visits them.
    cmdOK_ = CreateChild(window_, L"BUTTON", kCmdOK.caption, WS_TABSTOP | BS_PUSHBUTTON, kCmdOK.rect, kIdCmdOK);
    cmdCancel_ = CreateChild(window_, L"BUTTON", kCmdCancel.caption, WS_TABSTOP | BS_PUSHBUTTON, kCmdCancel.rect,
                             kIdCmdCancel);
    cmdApply_ = CreateChild(window_, L"BUTTON", kCmdApply.caption, WS_TABSTOP | BS_PUSHBUTTON, kCmdApply.rect,
                            kIdCmdApply);
    if (!cmdOK_ || !cmdCancel_ || !cmdApply_)
        return false;
    for (int index = 1; index <= 3; ++index) {
        HWND page = CreateChild(window_, L"STATIC", u"", 0, kPicOptions, kIdPicOptions + index);
        if (!page || !CreateChild(page, L"BUTTON", kFraSampleCaptions[index - 1], BS_GROUPBOX, kFraSample,
                                  kIdFraSample + index + 1))
            return false;
    }
    check1_ = CreateChild(window_, L"BUTTON", kCheck1.caption, WS_TABSTOP | BS_AUTOCHECKBOX, kCheck1.rect, kIdCheck1);
    return check1_ != nullptr;
}

HWND OptionsDialog::CreateChild(HWND parent, const wchar_t* windowClass, const char16_t* caption, DWORD style,
                                const TwipRect& rect, int id)
{
    HWND child = CreateWindowExW(0, windowClass, Wide(caption), kChild | style,
                                 TwipsToPixels(rect.left, dpi_.x), TwipsToPixels(rect.top, dpi_.y),
                                 TwipsToPixels(rect.width, dpi_.x),
                                 TwipsToPixels(rect.height, dpi_.y), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (child)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

LRESULT OptionsDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        // Give the focus back to where it was when the user left the dialog.
        if (LOWORD(wParam) == WA_INACTIVE)
            lastFocus_ = GetFocus();
        else
            SetFocus(lastFocus_ && IsChild(window_, lastFocus_) ? lastFocus_ : cmdOK_);
        return 0;
    case WM_CLOSE:
        // The close box unloads without applying.
        Unload();
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void OptionsDialog::OnCommand(int id, int notification)
{
    if (notification != BN_CLICKED)
        return;
    if (id == IDOK) {
        // Enter presses the focused button, as a form's keyboard handling does.
        HWND focus = GetFocus();
        if (focus == cmdOK_ || focus == cmdCancel_ || focus == cmdApply_)
            SendMessageW(focus, BM_CLICK, 0, 0);
        return;
    }
    switch (id) {
    case kIdCmdOK: form_->cmdOK_Click(); break;
    case kIdCmdCancel: form_->cmdCancel_Click(); break;
    case kIdCmdApply: form_->cmdApply_Click(); break;
    default: break;
    }
}

std::optional<Text> OptionsDialog::AppPath()
{
    if (std::optional<Text> folder = ModuleFolder())
        return folder;
    ReportPlatformErrorAndExit(LastPlatformError());
}

std::int16_t OptionsDialog::Check1Value()
{
    return static_cast<std::int16_t>(SendMessageW(check1_, BM_GETCHECK, 0, 0));
}

void OptionsDialog::SetCheck1Value(std::int16_t value)
{
    SendMessageW(check1_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void OptionsDialog::Unload()
{
    if (window_)
        DestroyWindow(window_);
}

void OptionsDialog::AssociationsChanged()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
