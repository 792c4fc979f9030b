#pragma once
// The core's Variant as an automation VARIANT, owned and cleared, and back.
#include "PlatformError.h"
#include "Variant.h"

#include <oaidl.h>

class ComVariant {
public:
    ComVariant() { VariantInit(&v_); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;
    ~ComVariant() { VariantClear(&v_); }

    // By-reference wrappers are refused: nothing here owns the target's storage.
    PlatformError Assign(const Variant& value);
    VARIANT* Get() { return &v_; }
    // The types the programs use; any other comes back as Null, which no caller takes
    // for a value of its own.
    Variant Value() const;

private:
    VARIANT v_;
};
