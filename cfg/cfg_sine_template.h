#pragma once
#include "lib_types.h"

#include <string>

// The one-period sine template "sine.bin": CFG_SINE_TEMPLATE_LEN little-endian int16,
// sample j at phase j / CFG_SINE_TEMPLATE_LEN of the period.
constexpr uint32 CFG_SINE_TEMPLATE_LEN = 50000000;
constexpr uint64 CFG_SINE_TEMPLATE_BYTES = uint64(CFG_SINE_TEMPLATE_LEN) * 2;

// Sample j of the canonical template: round half away from zero of
// 32767 * sin(2 pi j / CFG_SINE_TEMPLATE_LEN). The generator's computed path and the
// template writer both use this, so the two can never disagree.
short int cfg_sine_template_sample(uint32 j);

// The same value, several times faster: from tables of the sine and cosine of the
// angle's coarse and fine parts. Where the sum of the products could round to another
// integer than the definition (within a margin far above its error), the definition
// itself decides, so the result is always cfg_sine_template_sample(j).
short int cfg_sine_fast_sample(uint32 j);

// Writes the canonical template to path (through a temporary file beside it, so a
// failed write leaves no short template behind). False on any error.
bool cfg_write_sine_template(const std::string &path);
