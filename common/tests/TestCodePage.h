#pragma once
// A multi-byte code page for tests, so that a text that skipped the conversion shows: ASCII
// takes one byte, every other unit UTF-8's three-byte form, none of them NUL or a comma.
#include "AnsiCodePage.h"

struct TestCodePage final : AnsiCodePage {
    std::string ToAnsi(TextView text) const override
    {
        std::string out;
        for (char16_t c : text) {
            if (c < 0x80)
                out.push_back(static_cast<char>(c));
            else
                out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                        static_cast<char>(0x80 | (c & 0x3F))};
        }
        return out;
    }

    // Any bytes: one of ToAnsi's triples is one unit again, every other byte a unit of its own.
    Text FromAnsi(std::string_view bytes) const override
    {
        Text out;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            char16_t c = static_cast<unsigned char>(bytes[i]);
            if (c >= 0x80 && i + 2 < bytes.size() && (bytes[i + 1] & bytes[i + 2] & 0x80)) {
                const auto unit =
                    static_cast<char16_t>((c & 0x0F) << 12 | (bytes[i + 1] & 0x3F) << 6 | (bytes[i + 2] & 0x3F));
                if (unit >= 0x80) {
                    c = unit;
                    i += 2;
                }
            }
            out.push_back(c);
        }
        return out;
    }
};
