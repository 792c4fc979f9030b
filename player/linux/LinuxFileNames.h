#pragma once
// File names on Linux are bytes: UTF-8 most often, but not always. Text holds them without
// loss: a byte that is not part of well-formed UTF-8 becomes the lone surrogate U+DC00 + byte,
// which well-formed text never holds, and turns back into that byte. A name may hold double
// quotes, so the start-up and the window look a quoted name up before taking quotes away.
#include "FileNames.h"

#include <string>

Text TextFromFileName(std::string_view bytes);
// A lone surrogate that stands for no byte becomes U+FFFD.
std::string FileNameFromText(TextView text);

struct LinuxFileNames final : FileNameRule {
    bool QuotedNameExists(TextView path) const override;
};
