#include "platform/foundation/Random.h"
#include <random>

namespace foundation {

namespace {

std::mt19937& generator()
{
    static std::mt19937 engine { std::random_device {}() };
    return engine;
}

} // namespace

std::uint32_t arc4random() { return static_cast<std::uint32_t>(generator()()); }

void seedRandom(std::uint64_t seed)
{
    std::seed_seq sequence { static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32) };
    generator().seed(sequence);
}

} // namespace foundation
