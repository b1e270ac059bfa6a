#pragma once
// The shapes of the synthetic built-in wave set: one wave of WAVEGEN_SAMPLES int16
// samples per file name, the same on every run.
#include <cstdint>
#include <string>
#include <vector>

constexpr int WAVEGEN_SAMPLES = 16384;

// The wave the name asks for: a shape taken from the name where it says one, else the
// smooth stand-in (see README.md). Always WAVEGEN_SAMPLES samples.
std::vector<std::int16_t> wavegen_make(const std::string &name);
