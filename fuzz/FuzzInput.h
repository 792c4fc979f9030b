#pragma once
// Turns fuzzer bytes into the inputs the core takes; any UTF-16 unit may appear,
// lone surrogates and NULs included.
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    // A text of up to maxUnits units, its length taken from the input.
    Text TextPart(std::size_t maxUnits = 4096)
    {
        std::size_t units = (std::size_t(Byte()) << 8 | Byte()) % (maxUnits + 1);
        Text text;
        while (units-- > 0 && !Empty())
            text.push_back(static_cast<char16_t>(Byte() | Byte() << 8));
        return text;
    }

    std::string BytesPart(std::size_t maxBytes = 4096)
    {
        std::size_t n = (std::size_t(Byte()) << 8 | Byte()) % (maxBytes + 1);
        std::string bytes;
        while (n-- > 0 && !Empty())
            bytes.push_back(static_cast<char>(Byte()));
        return bytes;
    }

    Text RestAsText()
    {
        Text text;
        while (!Empty())
            text.push_back(static_cast<char16_t>(Byte() | Byte() << 8));
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A violated invariant is a finding: stop so the fuzzer keeps the input.
#define FUZZ_ASSERT(condition) \
    do { if (!(condition)) __builtin_trap(); } while (false)
