#pragma once
// How the options dialog's window and controls are known from outside: its window class
// and the control identifiers. Cancel carries IDCANCEL so that Escape presses it.
inline constexpr wchar_t kOptionsWindowClass[] = L"OrdinelOptions";

inline constexpr int kIdCmdOK = 100;
inline constexpr int kIdCmdCancel = 2;  // IDCANCEL
inline constexpr int kIdCmdApply = 101;
inline constexpr int kIdCheck1 = 102;
inline constexpr int kIdPicOptions = 110;  // + index 1, 2, 3
inline constexpr int kIdFraSample = 120;   // + 2, 3, 4
