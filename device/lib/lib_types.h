#pragma once
// Fixed-width type names of the device library's signatures.
#include <cfloat>
#include <cstdint>

typedef std::int8_t int8;
typedef std::int16_t int16;
typedef std::int32_t int32;
typedef std::int64_t int64;
typedef std::uint8_t uint8;
typedef std::uint16_t uint16;
typedef std::uint32_t uint32;
typedef std::uint64_t uint64;
typedef std::uint8_t u8;
typedef std::uint16_t u16;
typedef std::uint32_t u32;
typedef float fp32;

// Tuning words, stored record slots and rounding rely on the 80-bit extended type.
#if !defined(__x86_64__)
#error "the device library is built for x86-64 only"
#endif
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended type");
#if defined(__FAST_MATH__)
#error "the device library's rounding rules do not survive -ffast-math"
#endif
