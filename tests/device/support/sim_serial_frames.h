#pragma once
// Decodes the serial-bus frames of a simulator log: every word list that carries a
// frame of nbits bits (2 x nbits + 1 words) on one base word, most significant bit
// first, whether or not idle words surround it.
#include "sim_fpga.h"

#include <cstdint>
#include <vector>

std::vector<std::uint32_t> sim_serial_words(const std::vector<sim_op_t> &log, int nbits, std::uint16_t base);
