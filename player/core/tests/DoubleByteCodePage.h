#pragma once
// A small double-byte code page for tests: ASCII takes one byte, kana take two
// (lead byte 0x83, as in Shift_JIS), anything else becomes '?', as with a real code page.
#include "ComdlgM.h"

class DoubleByteCodePage final : public AnsiCodePage {
public:
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
