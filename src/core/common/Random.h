#pragma once

#include <cstdint>

namespace hv {

// The C runtime's rand()/srand() pair, reproduced exactly on every platform: a linear
// congruential generator (state * 214013 + 2531011 modulo 2^32) returning bits 16 to 30
// of the new state. Each thread has its own state, starting at 1, so the test run and the
// analysis never disturb each other's sequence.
namespace rng {

void Seed(std::uint32_t seed);
int Next(); // 0..32767
std::uint32_t State();

} // namespace rng
} // namespace hv
