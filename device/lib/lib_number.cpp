#include "lib_number.h"

#include "gos.h"
#include "lib_trunc.h"

#include <cmath>

namespace {

u32 lib_byte_sum(const u8 *data, u32 length)
{
    u32 sum = 0;
    for (u32 i = 0; i < length; ++i)
        sum += data[i];
    return sum;
}

// Tolerance of the comparisons, single-precision constants chosen by b.
long double lib_tolerance(long double b)
{
    if (b < 1.0L)
        return 1e-6f;
    if (b < 10.0L)
        return 1e-5f;
    if (b < 100.0L)
        return 1e-4f;
    if (b < 1000.0L)
        return 0.001f;
    if (b < 10000.0L)
        return 0.01f;
    return 0.1f;
}

} // namespace

int32 lib_checksum_sum(u32 *destination, const u8 *data, u32 length)
{
    if (!data || !destination)
        return 0;
    *destination = lib_byte_sum(data, length);
    return 1;
}

int32 lib_checksum_negsum(u32 *destination, const u8 *data, u32 length)
{
    if (!data || !destination)
        return 0;
    *destination = 0u - lib_byte_sum(data, length);
    return 1;
}

bool lib_checksum_verify(const u8 *data, u32 length, u32 expected)
{
    u32 sum = 0;
    return lib_checksum_negsum(&sum, data, length) == 1 && sum == expected;
}

namespace {

template <typename T>
int32 lib_decimate(const std::vector<T> *source, std::vector<T> *destination, int32 n)
{
    if (!source || !destination || source->empty() || n < 1)
        return 1;
    const std::size_t count = source->size();
    const std::size_t step = count / static_cast<std::size_t>(n);
    const long double fraction = static_cast<long double>(count) / n - static_cast<long double>(step);
    const std::size_t first = destination->size();
    destination->resize(first + static_cast<std::size_t>(n));
    const T *in = source->data();
    T *out = destination->data() + first;
    if (fraction == 0.0L) {
        // An exact step never carries: a plain strided copy gives the same samples.
        for (int32 i = 0; i < n; ++i)
            out[i] = in[static_cast<std::size_t>(i) * step];
        return 1;
    }
    std::size_t index = 0;
    long double carry = 0.0L;
    for (int32 i = 0; i < n; ++i) {
        // The carried fraction cannot push the index past the end; the bound only
        // guards against rounding.
        out[i] = in[index < count ? index : count - 1];
        carry += fraction;
        index += step;
        if (carry >= 1.0L) {
            ++index;
            carry -= 1.0L;
        }
    }
    return 1;
}

} // namespace

int32 lib_decimate_samples(const std::vector<uint16> *source, std::vector<uint16> *destination, int32 n)
{
    return lib_decimate(source, destination, n);
}

int32 lib_decimate_samples(const std::vector<int16> *source, std::vector<int16> *destination, int32 n)
{
    return lib_decimate(source, destination, n);
}

bool lib_float_equal(double a, double b)
{
    const long double t = lib_tolerance(b);
    const long double la = a;
    const long double lb = b;
    return lb - t <= la && la <= lb + t;
}

int32 lib_float_compare(float a, float b)
{
    const long double t = lib_tolerance(b);
    const long double la = a;
    const long double lb = b;
    if (la > lb + t)
        return 1;
    if (la < lb - t)
        return -1;
    return 0;
}

int32 lib_round_to_int(float x)
{
    const double shifted = x < 0.0f ? static_cast<double>(x) - 0.5 : static_cast<double>(x) + 0.5;
    return lib_trunc_i32(shifted);
}

int32 lib_cyclic_index(int32 direction, int32 index, int32 count)
{
    if (count == 0)
        return 0;
    if (direction == 1)
        return static_cast<int32>((static_cast<int64>(index) + 1) % count);
    if (direction == 0)
        return static_cast<int32>((static_cast<int64>(index) + count - 1) % count);
    return 0;
}

u8 lib_reverse_bits(u8 value, u8 n)
{
    unsigned result = 0;
    for (unsigned j = 0; j < n && j < 8; ++j) {
        const unsigned position = n - 1u - j;
        if (position < 8 && (value >> j & 1u))
            result |= 1u << position;
    }
    return static_cast<u8>(result);
}

int32 lib_floor_power_of_two(int32 n)
{
    if (n <= 0)
        return 0;
    double power = 1.0;
    while (power * 2.0 <= n)
        power *= 2.0;
    return lib_trunc_i32(power);
}

void lib_centre_span(int32 start, int32 stop, int32 *centre, int32 *half_span)
{
    const int64 c = (static_cast<int64>(start) + stop) / 2;
    if (centre)
        *centre = static_cast<int32>(c);
    if (half_span)
        *half_span = static_cast<int32>(stop - c);
}

void lib_centre_span(long double start, long double stop, long double *centre, long double *half_span)
{
    const long double c = (start + stop) * 0.5L;
    if (centre)
        *centre = c;
    if (half_span)
        *half_span = stop - c;
}

void lib_start_stop(int32 centre, int32 half_span, int32 *start, int32 *stop)
{
    if (start)
        *start = static_cast<int32>(static_cast<int64>(centre) - half_span);
    if (stop)
        *stop = static_cast<int32>(static_cast<int64>(centre) + half_span);
}

void lib_start_stop(long double centre, long double half_span, long double *start, long double *stop)
{
    if (start)
        *start = centre - half_span;
    if (stop)
        *stop = centre + half_span;
}

int32 lib_clock_ms(void)
{
    gos_timeval_t now{0, 0};
    gos_gettimeofday(&now);
    const uint64 ms = static_cast<uint64>(now.tv_sec) * 1000u + static_cast<uint64>(now.tv_usec / 1000);
    return static_cast<int32>(static_cast<uint32>(ms));
}
