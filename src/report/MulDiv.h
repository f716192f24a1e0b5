#pragma once

#include <cstdint>

namespace lanescope::report {

/**
 * a × b ÷ c in 64 bits, rounded to the nearest integer with halves away from zero: the rounding every
 * length and position of the report engine uses. A divisor of 0 gives 0.
 */
constexpr int mulDiv(std::int64_t a, std::int64_t b, std::int64_t c)
{
    if (c == 0)
        return 0;
    std::int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    if (product < 0)
        product = -product;
    if (c < 0)
        c = -c;
    const std::int64_t quotient = (product + c / 2) / c;
    return static_cast<int>(negative ? -quotient : quotient);
}

} // namespace lanescope::report
