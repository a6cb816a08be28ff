#include "platform/numeric.h"

#include "platform/failure.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace lumoria {

namespace {

// 2^63 as a long double: every value strictly below it (and at or above -2^63) fits in 64 bits.
constexpr long double kTwo63 = 9223372036854775808.0L;

std::int64_t checkedInt64(long double integral)
{
    if (std::isnan(integral) || integral >= kTwo63 || integral < -kTwo63)
        throw RangeError();
    return static_cast<std::int64_t>(integral);
}

} // namespace

std::int64_t Round(long double value)
{
    // nearbyint follows the current rounding mode, which the program never changes from nearest.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyintl(value);
    if (saved != FE_TONEAREST)
        std::fesetround(saved);
    return checkedInt64(r);
}

std::int64_t Trunc(long double value)
{
    return checkedInt64(std::truncl(value));
}

std::int32_t Div(std::int32_t a, std::int32_t b)
{
    if (b == 0)
        throw DivisionByZero();
    if (a == std::numeric_limits<std::int32_t>::min() && b == -1)
        throw RangeError();
    return a / b;
}

std::int64_t Div64(std::int64_t a, std::int64_t b)
{
    if (b == 0)
        throw DivisionByZero();
    if (a == std::numeric_limits<std::int64_t>::min() && b == -1)
        throw RangeError();
    return a / b;
}

std::int32_t ToInt32(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw RangeError();
    return static_cast<std::int32_t>(value);
}

std::int32_t RoundToInt32(long double value) { return ToInt32(Round(value)); }
std::int32_t TruncToInt32(long double value) { return ToInt32(Trunc(value)); }

} // namespace lumoria
