#pragma once
// Numeric helpers: the checksums of the calibration record, sample decimation for the
// wave store, tolerant float comparison and small integer arithmetic.
#include "lib_types.h"

#include <vector>

// The bytes summed as unsigned values modulo 2^32 into *destination (0 for no bytes).
// A null data or destination returns 0 and writes nothing; otherwise 1.
int32 lib_checksum_sum(u32 *destination, const u8 *data, u32 length);
// As lib_checksum_sum, storing the two's-complement negation of the sum.
int32 lib_checksum_negsum(u32 *destination, const u8 *data, u32 length);
// True when the negated sum of the bytes equals expected; false for null data.
bool lib_checksum_verify(const u8 *data, u32 length, u32 expected);

// Appends n samples of source to destination, spread evenly from source[0]: the
// index advances by N / n with the fraction carried (ten samples to four give samples
// 0, 2, 5 and 7). An empty source, a null vector or n below 1 appends nothing.
// Returns 1.
int32 lib_decimate_samples(const std::vector<uint16> *source, std::vector<uint16> *destination, int32 n);
// The same for signed samples (the wave store's waves).
int32 lib_decimate_samples(const std::vector<int16> *source, std::vector<int16> *destination, int32 n);

// Equal within a tolerance that grows with b: 1e-6 below 1 (every negative b), then
// ten times more per decade up to 0.1 from 10000 on.
bool lib_float_equal(double a, double b);
// 1 when a is above b by more than the tolerance of b, -1 when below by more, else 0.
int32 lib_float_compare(float a, float b);

// Rounds halves away from zero; a result outside int gives 0.
int32 lib_round_to_int(float x);
// Direction 1: the next index of count, cyclically; 0: the previous; any other 0.
// A count of 0 returns 0.
int32 lib_cyclic_index(int32 direction, int32 index, int32 count);
// The lowest n bits (n at most 8) in reverse order; higher bits are dropped.
u8 lib_reverse_bits(u8 value, u8 n);
// The largest power of two not above n; 0 for n <= 0.
int32 lib_floor_power_of_two(int32 n);

// Centre and half span of a start and stop, and back. Null outputs are skipped.
void lib_centre_span(int32 start, int32 stop, int32 *centre, int32 *half_span);
void lib_centre_span(long double start, long double stop, long double *centre, long double *half_span);
void lib_start_stop(int32 centre, int32 half_span, int32 *start, int32 *stop);
void lib_start_stop(long double centre, long double half_span, long double *start, long double *stop);

// Milliseconds of the time of day, the low 32 bits of seconds x 1000 + us / 1000.
int32 lib_clock_ms(void);
