#include "lib_arith.h"

#include <climits>

int lib_abs(int value)
{
    if (value == INT_MIN)
        return value;
    return value < 0 ? -value : value;
}
