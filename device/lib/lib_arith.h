#pragma once
// Small arithmetic helpers of the lib_ family.
#include "lib_types.h"

// Absolute value of an int; the most negative int has none and comes back unchanged.
int lib_abs(int value);
