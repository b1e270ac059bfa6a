// cfg_bit_string_t: the bit-pattern setting record.
#include "cfg_bit_string.h"

void cfg_bit_string_t::init(int32)
{
    bit_count = 7;
    bit_text = "0101010";
    bit_values.clear();
}
