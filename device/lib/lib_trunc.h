#pragma once
// The device library's one way from a floating value to an integer. Every conversion
// truncates toward zero; a value whose truncation the target cannot hold (NaN and the
// infinities included) gives 0, so no conversion is left undefined.
//
// The range is checked in the x87 registers and the value converted with the x87
// truncating store (fisttp, SSE3): the plain conversion switches the x87 rounding
// mode around every value, which costs more than the drivers' own arithmetic.
#include "lib_types.h"

#include <cfloat>
#include <cmath>
#include <limits>

static_assert(LDBL_MANT_DIG == 64, "the conversions use the x87 80-bit extended type");

// x truncated toward zero; |x| must be below 2^63.
inline int64 lib_trunc_x87(long double x)
{
    int64 result;
    __asm__("fisttpll %0" : "=m"(result) : "t"(x) : "st");
    return result;
}

// True when x truncated toward zero fits T (false for NaN and the infinities).
template <typename T>
inline bool lib_trunc_fits(long double x)
{
    static_assert(std::numeric_limits<T>::is_integer, "lib_trunc converts to integers only");
    static_assert(sizeof(T) <= sizeof(uint64), "lib_trunc converts to at most 64 bits");
    // The truncation fits exactly when min - 1 < x < max + 1; both bounds are exact in
    // the 64-bit significand. NaN fails both comparisons.
    const long double below = static_cast<long double>(std::numeric_limits<T>::min()) - 1.0L;
    const long double above = static_cast<long double>(std::numeric_limits<T>::max()) + 1.0L;
    return x > below && x < above;
}

template <typename T>
inline T lib_trunc_to(long double x)
{
    if (!lib_trunc_fits<T>(x))
        return T(0);
    constexpr long double two_63 = 9223372036854775808.0L;
    // Only uint64 reaches 2^63; its upper half converts after taking 2^63 off (exact
    // for a whole number below 2^64).
    if (x >= two_63)
        return static_cast<T>(static_cast<uint64>(lib_trunc_x87(x - two_63)) + (uint64(1) << 63));
    return static_cast<T>(lib_trunc_x87(x));
}

inline int16 lib_trunc_i16(long double x) { return lib_trunc_to<int16>(x); }
inline uint16 lib_trunc_u16(long double x) { return lib_trunc_to<uint16>(x); }
inline int32 lib_trunc_i32(long double x) { return lib_trunc_to<int32>(x); }
inline uint32 lib_trunc_u32(long double x) { return lib_trunc_to<uint32>(x); }
inline int64 lib_trunc_i64(long double x) { return lib_trunc_to<int64>(x); }
// Values from 2^63 up to 2^64 - 1 convert as unsigned.
inline uint64 lib_trunc_u64(long double x) { return lib_trunc_to<uint64>(x); }

// x truncated toward zero as a floating value, as std::trunc gives it (NaN, the
// infinities and values of 2^63 and above, which are whole already, come back as they
// are; the sign of a zero result is kept).
inline long double lib_trunc_ld(long double x)
{
    constexpr long double two_63 = 9223372036854775808.0L;
    if (!(x > -two_63 && x < two_63))
        return x;
    const long double whole = static_cast<long double>(lib_trunc_x87(x));
    return whole == 0 && std::signbit(x) ? -0.0L : whole;
}
