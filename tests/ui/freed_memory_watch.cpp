#include "tests/ui/freed_memory_watch.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Plain storage: the check runs inside operator delete and must not allocate.
char g_secret[64];
std::size_t g_secretSize = 0;
std::atomic<bool> g_armed{false};
std::atomic<int> g_hits{0};

void Check(void* block) {
    if (block == nullptr || !g_armed.load(std::memory_order_relaxed)) return;
    const std::size_t size = malloc_usable_size(block);
    if (memmem(block, size, g_secret, g_secretSize) != nullptr) g_hits.fetch_add(1);
}

void* Allocate(std::size_t size) {
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void Release(void* block) noexcept {
    Check(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }

namespace ui_test {

FreedMemoryWatch::FreedMemoryWatch(std::string_view secret) {
    g_secretSize = secret.size() < sizeof g_secret ? secret.size() : sizeof g_secret;
    std::memcpy(g_secret, secret.data(), g_secretSize);
    g_hits = 0;
    g_armed = g_secretSize > 0;
}

FreedMemoryWatch::~FreedMemoryWatch() {
    g_armed = false;
    explicit_bzero(g_secret, sizeof g_secret);
    g_secretSize = 0;
}

int FreedMemoryWatch::Hits() const { return g_hits.load(); }

}  // namespace ui_test
