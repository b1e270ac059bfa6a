#pragma once
// cfg_pattern_t: a channel's data-pattern settings (wave types 12 to 16): the text the
// serial pattern transmits, how many of its characters are framed, the last selected
// data-pattern type, and the pattern objects. Type 12 is the serial character pattern;
// 13 to 16 are stored like it but nothing builds them. The pattern is applied only when
// the driver supports data patterns (the module does not).
#include "cfg_bit_string.h"
#include "cfg_pattern_settings.h"
#include "cfg_uart_pattern.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>

class cfg_pattern_t
{
public:
    cfg_pattern_t() = default;

    // Channel, the serial pattern's defaults, text "ABC" of length 3; nothing applied.
    void init(int32 ch);
    int32 get_channel() const { return channel; }
    void set_wave_type(int32 type) { wave_type = type; }
    int32 get_wave_type() const { return wave_type; }
    // Text and length, then update; 1.
    int32 set_text(const std::string &t);
    // The text alone; 1. Only the characters the text has are ever framed.
    int32 store_text(const std::string &t)
    {
        text = t;
        return 1;
    }
    int32 get_text(std::string &out) const
    {
        out = text;
        return 1;
    }
    int32 set_text_length(int32 length)
    {
        text_length = length;
        return 1;
    }
    int32 get_text_length(int32 &out) const
    {
        out = text_length;
        return 1;
    }
    // The serial pattern applied when the driver supports data patterns; 1.
    int32 apply_pattern();
    int32 update();
    int32 is_supported() const;
    // Type 12: the serial pattern's setter; otherwise 0 and nothing stored.
    int32 set_amplitude(lib_unit_data_t value);
    // Type 12: the serial pattern's amplitude; otherwise 4.0 in the base unit.
    lib_unit_data_t get_amplitude() const;
    cfg_uart_pattern_t *get_uart_pattern() { return &uart; }
    cfg_pattern_settings_t *get_settings() { return &settings; }
    cfg_bit_string_t *get_bit_string() { return &bit_string; }
    // The channel's basic-wave type, text "ABC" (updated).
    void reset(int32 arg);
    void notify(int32 arg) { uart.notify(arg); }

private:
    int32 channel = 0;
    cfg_uart_pattern_t uart;
    cfg_pattern_settings_t settings;
    cfg_bit_string_t bit_string;
    int32 wave_type = 0;
    std::string text;
    int32 text_length = 0;
};
