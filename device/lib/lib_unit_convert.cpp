#include "lib_unit_convert.h"

#include "gos.h"

#include <cmath>

const long double LIB_UNIT_LINEAR_STEPS[LIB_UNIT_STEP_COUNT] = {0.0L, 1e3L, 1e6L, 1e9L, 1e12L, 1e15L};
const long double LIB_UNIT_SQUARED_STEPS[LIB_UNIT_STEP_COUNT] = {0.0L, 1e6L, 1e12L, 1e18L, 1e24L, 1e30L};
const long double LIB_UNIT_API_FACTORS[LIB_UNIT_API_COUNT] = {1e-24L, 1e-21L, 1e-18L, 1e-15L, 1e-12L, 1e-9L, 1e-6L,
                                                              0.001L, 1.0L,   1000.0L, 1e6L,  1e9L,   1e12L, 1e15L};

namespace {

const int32 s_api_exponents[10] = {-12, -9, -6, -3, 0, 3, 6, 9, 12, 15};

// 1000^k; exact up to 1000^9, so that a move of a few prefixes is exact.
const long double s_powers_of_1000[LIB_UNIT_API_COUNT] = {1.0L,  1e3L,  1e6L,  1e9L,  1e12L, 1e15L, 1e18L,
                                                          1e21L, 1e24L, 1e27L, 1e30L, 1e33L, 1e36L, 1e39L};

// Auto-prefix thresholds in ascending order with their configuration codes.
struct lib_prefix_threshold_t
{
    long double key;
    int32 code;
};
const lib_prefix_threshold_t s_thresholds[] = {{1e-12L, 10}, {1e-9L, 11}, {1e-6L, 12}, {0.001L, 13}, {1.0L, 14},
                                               {1000.0L, 15}, {1e6L, 16},  {1e9L, 17},  {1e12L, 18}};
constexpr int s_threshold_count = sizeof s_thresholds / sizeof s_thresholds[0];

bool lib_is_api_index(int32 index) { return index >= 0 && index < LIB_UNIT_API_COUNT; }

int64 lib_step_distance(const lib_unit_data_t &source, int32 target)
{
    const int64 d = static_cast<int64>(source.unit) - target;
    return d < 0 ? -d : d;
}

} // namespace

bool lib_unit_step_scale(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target,
                         const long double *table, int32 size)
{
    const int64 d = static_cast<int64>(source.unit) - target;
    const int64 k = lib_step_distance(source, target);
    if (!table || k >= size)
        return false;
    long double value = source.data;
    if (d > 0)
        value *= table[k];
    else if (d < 0)
        value /= table[k];
    destination.data = value;
    destination.unit = target;
    return true;
}

int32 lib_unit_do_convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target,
                          const long double *table, int32 size)
{
    if (lib_unit_step_scale(source, destination, target, table, size))
        return 0;
    gos_printf("amplify_index = %lld\n", static_cast<long long>(lib_step_distance(source, target)));
    gos_printf("size = %d,data.data = %Lg,data.unit = %d\n", size, source.data, source.unit);
    return -13;
}

int32 lib_unit_convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target)
{
    lib_unit_do_convert(source, destination, target, LIB_UNIT_LINEAR_STEPS, LIB_UNIT_STEP_COUNT);
    return 1;
}

int32 lib_unit_convert_squared(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target)
{
    lib_unit_do_convert(source, destination, target, LIB_UNIT_SQUARED_STEPS, LIB_UNIT_STEP_COUNT);
    return 1;
}

int32 lib_unit_convert_value(int32 from, long double &value, int32 to)
{
    const lib_unit_data_t source{value, from, false};
    lib_unit_data_t destination{value, to, false};
    lib_unit_convert(source, destination, to);
    value = destination.data;
    return 1;
}

lib_unit_data_t lib_unit_to_default(const lib_unit_data_t &record)
{
    lib_unit_data_t result = record;
    lib_unit_convert(record, result, LIB_UNIT_BASE);
    return result;
}

int32 lib_unit_auto_prefix(lib_unit_data_t &record)
{
    if (record.unit != LIB_UNIT_BASE)
        lib_unit_convert(record, record, LIB_UNIT_BASE);
    const long double a = std::fabs(record.data);
    // The first threshold not below a, then one back unless it is the first: the
    // largest threshold strictly below a. NaN compares with nothing and takes the first.
    int i = 0;
    while (i < s_threshold_count && s_thresholds[i].key < a)
        ++i;
    if (i > 0)
        --i;
    lib_unit_convert(record, record, s_thresholds[i].code);
    return 1;
}

long double lib_unit_prefix_rebase(long double data, int32 from, int32 to)
{
    if (!lib_is_api_index(from) || !lib_is_api_index(to))
        return data;
    // F[from] / F[to] is 1000^(from - to); dividing by the exact power rather than
    // multiplying by a rounded fraction keeps 5 V in millivolts exactly 5000.
    return from >= to ? data * s_powers_of_1000[from - to] : data / s_powers_of_1000[to - from];
}

long double lib_unit_prefix_convert(lib_unit_data_t record, int32 target)
{
    return lib_unit_prefix_rebase(record.data, record.unit, target);
}

long double lib_unit_prefix_factor(int32 index) { return lib_is_api_index(index) ? LIB_UNIT_API_FACTORS[index] : 1.0L; }

int32 lib_unit_prefix_exponent(uint8 index) { return index >= 4 && index <= 13 ? s_api_exponents[index - 4] : 0; }

long double lib_unit_prefix_to_base(long double value, uint8 index)
{
    return value * std::pow(10.0L, static_cast<long double>(lib_unit_prefix_exponent(index)));
}

lib_unit_data_t lib_unit_auto_range(long double value)
{
    // The bounds are tested on |x| x 1e9, and below a nano on |x| x 1e18, each product
    // rounded to double: then a decimal such as 1e-6, which no binary type holds
    // exactly, still meets its bound and reads 1 micro rather than 1000 nano.
    const long double a = std::fabs(value);
    const double g = static_cast<double>(a * 1e9L);
    if (g >= 1e18)
        return {value / 1e9L, 11, false};
    if (g >= 1e15)
        return {value / 1e6L, 10, false};
    if (g >= 1e12)
        return {value / 1000.0L, 9, false};
    if (g >= 1e9)
        return {value, 8, false};
    if (g >= 1e6)
        return {value * 1000.0L, 7, false};
    if (g >= 1e3)
        return {value * 1e6L, 6, false};
    if (g >= 1.0)
        return {value * 1e9L, 5, false};
    const double e = static_cast<double>(a * 1e18L);
    if (e >= 1e6)
        return {value * 1e12L, 4, false};
    if (e >= 1e3)
        return {value * 1e15L, 3, false};
    if (e >= 1.0)
        return {value * 1e18L, 2, false};
    return {value * 1e21L, 1, false};
}

lib_unit_data_t lib_unit_step_range(lib_unit_data_t record)
{
    if (!lib_is_api_index(record.unit))
        return record;
    while (std::fabs(static_cast<double>(record.data)) >= 1000.0 && record.unit < 13) {
        record.data /= 1000.0L;
        ++record.unit;
    }
    while (std::fabs(static_cast<double>(record.data)) < 1.0 && record.unit > 0) {
        record.data *= 1000.0L;
        --record.unit;
    }
    return record;
}
