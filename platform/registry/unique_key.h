// One owner for an open registry key: closed when the owner goes.
#pragma once

#include <utility>

#include "platform/registry/registry.h"

namespace registry {

class UniqueKey {
public:
    UniqueKey() = default;
    explicit UniqueKey(HKEY key) : key_(key) {}
    ~UniqueKey() { reset(); }
    UniqueKey(const UniqueKey&) = delete;
    UniqueKey& operator=(const UniqueKey&) = delete;
    UniqueKey(UniqueKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    UniqueKey& operator=(UniqueKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }

    HKEY get() const { return key_; }
    // The slot for an out-parameter; a key held before is closed first.
    PHKEY put() {
        reset();
        return &key_;
    }
    void reset() {
        if (HKEY old = std::exchange(key_, nullptr)) RegCloseKey(old);
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace registry
