#include "platform/runtime/rnd.h"

#include <atomic>
#include <cstdint>

namespace runtime {

namespace {

// A 24-bit linear congruential generator: state' = (state * a + c) mod 2^24, r = state' / 2^24.
constexpr std::uint32_t kStart = 0x50000;
constexpr std::uint32_t kMultiplier = 0x43FD43FD;
constexpr std::uint32_t kIncrement = 0xC39EC3;
constexpr std::uint32_t kMask = 0xFFFFFF;
constexpr float kScale = 1.0f / 16777216.0f;

std::atomic<std::uint32_t> g_state{kStart};

constexpr std::uint32_t Next(std::uint32_t state) { return (state * kMultiplier + kIncrement) & kMask; }

}  // namespace

float Rnd() {
    std::uint32_t state = g_state.load();
    std::uint32_t next = Next(state);
    while (!g_state.compare_exchange_weak(state, next)) next = Next(state);
    return static_cast<float>(next) * kScale;
}

void ResetRndForTesting() { g_state.store(kStart); }

}  // namespace runtime
