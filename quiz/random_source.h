#pragma once

#include <cstdint>
#include <random>

namespace quiz {

// The quiz's only source of chance. Seeded once: reseeding from the clock on
// every draw would repeat draws made within one clock tick.
class RandomSource {
public:
    RandomSource(); // seeded from the system's entropy source
    explicit RandomSource(std::uint64_t seed);

    // A whole number from 0 to upper - lower, each equally likely. The lower
    // bound narrows the number of outcomes; it is not added to the result.
    std::int16_t RandomInt(std::int16_t lower, std::int16_t upper);

private:
    std::mt19937_64 engine_;
};

} // namespace quiz
