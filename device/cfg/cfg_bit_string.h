#pragma once
// cfg_bit_string_t: a bit-pattern setting record of a channel's data patterns: a
// length and the pattern as a text of 0 and 1 characters. Nothing generates a wave
// from it; the count and the text are set independently.
#include "lib_types.h"

#include <string>
#include <vector>

class cfg_bit_string_t
{
public:
    // Length 7, text "0101010", values emptied.
    void init(int32 unused);
    int32 set_bit_count(int32 count)
    {
        bit_count = count;
        return 1;
    }
    void get_bit_count(int32 &out) const { out = bit_count; }
    int32 set_bit_text(const std::string &text)
    {
        bit_text = text;
        return 1;
    }
    void get_bit_text(std::string &out) const { out = bit_text; }
    void get_values(std::vector<int16> &out) const { out = bit_values; }

private:
    int32 bit_count = 0;
    std::string bit_text;
    std::vector<int16> bit_values;
};
