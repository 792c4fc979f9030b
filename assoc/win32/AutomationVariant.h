#pragma once
// The core's Variant as an OLE Automation VARIANT and back. A VARIANT made here owns
// its BSTR or SAFEARRAY and frees it when it goes.
#include "Variant.h"

#include <oaidl.h>

class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&v_); }
    // A by-reference wrapper is looked through: the VARIANT holds the value itself.
    explicit OwnedVariant(const Variant& value);
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    ~OwnedVariant() { VariantClear(&v_); }

    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_;
};

// The types the programs use; a VARIANT of any other type comes back as Null, which
// no caller takes for a value of its own.
Variant FromAutomation(const VARIANT& value);
