#pragma once
// Owns one COM interface reference.
#include <unknwn.h>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference that the caller holds, such as a new object's first.
    static ComPtr Adopt(T* p)
    {
        ComPtr owned;
        owned.p_ = p;
        return owned;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            p_ = other.p_;
            other.p_ = nullptr;
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what was held first.
    T** Put()
    {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    template <class U>
    HRESULT As(ComPtr<U>& out, REFIID iid) const
    {
        return p_ ? p_->QueryInterface(iid, out.PutVoid()) : E_POINTER;
    }

private:
    T* p_ = nullptr;
};
