#pragma once
// Turns fuzzer bytes into the inputs the cores take; any UTF-16 unit may appear,
// lone surrogates and NULs included. Each part's length comes first, in two bytes.
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    Text TextPart(std::size_t maxUnits = 4096) { return Units(Length(maxUnits)); }
    Text RestAsText() { return Units(size_); }

    std::string BytesPart(std::size_t maxBytes = 4096)
    {
        std::string bytes;
        for (std::size_t n = Length(maxBytes); n > 0 && !Empty(); --n)
            bytes.push_back(static_cast<char>(Byte()));
        return bytes;
    }

private:
    std::size_t Length(std::size_t max)
    {
        const std::size_t high = Byte();
        return (high << 8 | Byte()) % (max + 1);
    }
    Text Units(std::size_t n)
    {
        Text text;
        for (; n > 0 && !Empty(); --n) {
            const char16_t low = Byte();
            text.push_back(static_cast<char16_t>(low | Byte() << 8));
        }
        return text;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A violated invariant is a finding: stop so the fuzzer keeps the input.
#define FUZZ_ASSERT(condition) \
    do { if (!(condition)) __builtin_trap(); } while (false)
