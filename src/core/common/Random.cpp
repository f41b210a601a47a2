#include "common/Random.h"

namespace hv::rng {
namespace {
thread_local std::uint32_t t_state = 1;
}

void Seed(std::uint32_t seed) {
    t_state = seed;
}

int Next() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFF);
}

std::uint32_t State() {
    return t_state;
}

} // namespace hv::rng
