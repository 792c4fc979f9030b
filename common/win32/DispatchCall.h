#pragma once
// Automation method calls by dispatch identifier, for every object the programs drive.
#include "ComVariant.h"
#include "Variant.h"

#include <oaidl.h>

#include <span>

// Calls method `id` of `object` with `args` in their natural order. When the object raises
// an exception its own code is the result, filled in first where the object defers it.
HRESULT CallMethod(IDispatch* object, DISPID id, std::span<const Variant> args, ComVariant& result);
