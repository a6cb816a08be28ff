#pragma once
// The number rules of the whole program: Round is to nearest with halves to even, Trunc is toward
// zero, Div is integer division toward zero. Conversions to 32 bits are checked and raise the range
// failure instead of overflowing.
#include <cstdint>

namespace lumoria {

std::int64_t Round(long double value);
std::int64_t Trunc(long double value);
std::int32_t Div(std::int32_t a, std::int32_t b);
std::int64_t Div64(std::int64_t a, std::int64_t b);

std::int32_t ToInt32(std::int64_t value);
std::int32_t RoundToInt32(long double value);
std::int32_t TruncToInt32(long double value);

} // namespace lumoria
