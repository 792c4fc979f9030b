#pragma once
// The reference count of a COM object of ours on the heap: it starts with its creator's
// reference and frees the object with the last one, so that whoever keeps a reference, a
// control past its teardown included, holds a live object.
#include <windows.h>

template <class Object>
class HeapRefCount {
protected:
    ULONG AddReference() { return ++references_; }
    ULONG ReleaseReference()
    {
        const ULONG left = --references_;
        if (left == 0)
            delete static_cast<Object*>(this);
        return left;
    }

private:
    ULONG references_ = 1;
};
