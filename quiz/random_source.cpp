#include "quiz/random_source.h"

#include <stdexcept>

namespace quiz {

namespace {
std::uint64_t EntropySeed()
{
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}
} // namespace

RandomSource::RandomSource()
    : engine_(EntropySeed())
{
}

RandomSource::RandomSource(std::uint64_t seed)
    : engine_(seed)
{
}

std::int16_t RandomSource::RandomInt(std::int16_t lower, std::int16_t upper)
{
    if (upper < lower)
        throw std::invalid_argument("RandomInt: upper bound below lower bound");
    const int outcomes = upper - lower + 1;
    std::uniform_int_distribution<int> draw(0, outcomes - 1);
    return static_cast<std::int16_t>(draw(engine_));
}

} // namespace quiz
