// Owners for the object model's two kinds of resource: a counted reference (ComPtr) and a
// BSTR (BStr). Neither throws from its destructor; each has one owner at a time.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace com {

// A counted reference to an interface. Construction from a raw pointer adds a reference; Attach
// adopts one the caller already holds. `&ptr` and put() release the old reference and hand out
// the slot for an out-parameter.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    explicit ComPtr(T* p) : p_(p) { AddRefIf(p_); }
    ComPtr(const ComPtr& other) : p_(other.p_) { AddRefIf(p_); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other) {
        if (this != std::addressof(other)) {
            AddRefIf(other.p_);
            Reset();
            p_ = other.p_;
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != std::addressof(other)) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        Reset();
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Out-parameter adapters: release what is held, return the empty slot.
    T** put() {
        Reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    T** operator&() { return put(); }

    // Adopts a reference without adding one; releases the old one.
    void Attach(T* p) {
        Reset();
        p_ = p;
    }
    // Gives up the reference without releasing it.
    [[nodiscard]] T* Detach() { return std::exchange(p_, nullptr); }
    void Reset() {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }
    // Asks the object for another of its interfaces: p.As(IID_IX, &other) with other a
    // ComPtr<IX> (whose old reference `&` releases) or a raw IX* slot.
    template <class U>
    HRESULT As(REFIID iid, U** out) const {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (p_ == nullptr) return E_POINTER;
        return p_->QueryInterface(iid, reinterpret_cast<void**>(out));
    }

private:
    static void AddRefIf(T* p) {
        if (p != nullptr) p->AddRef();
    }
    T* p_ = nullptr;
};

// Owns one BSTR. A null BSTR reads as empty text.
class BStr {
public:
    BStr() = default;
    explicit BStr(std::u16string_view text)
        : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    BStr(const BStr& other)
        : s_(other.s_ ? SysAllocStringByteLen(reinterpret_cast<const char*>(other.s_),
                                              SysStringByteLen(other.s_))
                      : nullptr) {}
    BStr(BStr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    ~BStr() { SysFreeString(s_); }
    BStr& operator=(BStr other) noexcept {
        std::swap(s_, other.s_);
        return *this;
    }

    // Text in the ANSI code page, or in UTF-8.
    static BStr FromAnsi(std::string_view ansi);
    static BStr FromUtf8(std::string_view utf8);
    // Adopts a BSTR the caller owned.
    static BStr Adopt(BSTR s) {
        BStr b;
        b.s_ = s;
        return b;
    }

    BSTR get() const { return s_; }
    // Releases what is held and returns the slot for an out-parameter.
    BSTR* put() {
        SysFreeString(std::exchange(s_, nullptr));
        return &s_;
    }
    // Hands the BSTR over to the caller (who then frees it).
    [[nodiscard]] BSTR release() { return std::exchange(s_, nullptr); }

    UINT Length() const { return SysStringLen(s_); }
    std::u16string_view view() const {
        return s_ ? std::u16string_view(s_, SysStringLen(s_)) : std::u16string_view();
    }
    std::string ToAnsi() const;
    std::string ToUtf8() const;

private:
    BSTR s_ = nullptr;
};

}  // namespace com
