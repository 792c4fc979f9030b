#pragma once
// GetOpenFileNameA of comdlg32 behind the core's dialog port.
#include "ComdlgM.h"

struct WindowsOpenFileDialog final : OpenFileDialogApi {
    DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) override;
};
