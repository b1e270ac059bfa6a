#pragma once
// The device library's one way from a floating value to an integer. Every conversion
// truncates toward zero; a value whose truncation the target cannot hold (NaN and the
// infinities included) gives 0, so no conversion is left undefined.
#include "lib_types.h"

#include <cmath>
#include <limits>

// True when x truncated toward zero fits T (false for NaN and the infinities).
template <typename T>
inline bool lib_trunc_fits(long double x)
{
    static_assert(std::numeric_limits<T>::is_integer, "lib_trunc converts to integers only");
    const long double t = std::trunc(x);
    // Both limits of every target up to 64 bits are exact in the 80-bit type.
    return t >= static_cast<long double>(std::numeric_limits<T>::min()) &&
           t <= static_cast<long double>(std::numeric_limits<T>::max());
}

template <typename T>
inline T lib_trunc_to(long double x)
{
    return lib_trunc_fits<T>(x) ? static_cast<T>(std::trunc(x)) : T(0);
}

inline int16 lib_trunc_i16(long double x) { return lib_trunc_to<int16>(x); }
inline uint16 lib_trunc_u16(long double x) { return lib_trunc_to<uint16>(x); }
inline int32 lib_trunc_i32(long double x) { return lib_trunc_to<int32>(x); }
inline uint32 lib_trunc_u32(long double x) { return lib_trunc_to<uint32>(x); }
inline int64 lib_trunc_i64(long double x) { return lib_trunc_to<int64>(x); }
// Values from 2^63 up to 2^64 - 1 convert as unsigned.
inline uint64 lib_trunc_u64(long double x) { return lib_trunc_to<uint64>(x); }
