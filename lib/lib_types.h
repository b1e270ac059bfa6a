#pragma once
// Fixed-width type names used in signatures across the program. Signal and slot
// signatures are matched as text, so every header spells them through this file.
#include <cstdint>

typedef std::int16_t int16;
typedef std::uint16_t uint16;
typedef std::int32_t int32;
typedef std::uint32_t uint32;
typedef std::int64_t int64;
typedef std::uint64_t uint64;
typedef float fp32;
typedef double fp64;
