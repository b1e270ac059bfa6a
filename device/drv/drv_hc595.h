#pragma once
// drv_hc595_t: the relay word of the output stage (range relays, the wave-path line).
// The object keeps the only copy of the word (the hardware is never read back) and
// writes it whole whenever a bit changes. The base class shifts it out on serial device
// 1; the USB module's class writes it to FPGA register 24.
//
// The 15 virtual operations keep this order. The base bodies of 0 to 8 do nothing;
// set_range_bit, set_range_word and check_coarse_word answer 1 without writing.
#include "lib_types.h"

class drv_hc595_t
{
public:
    drv_hc595_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_hc595_t() = default;

    // 0: the wave-path line for a wave type (0 sine, 1 square, ... 6 arbitrary).
    virtual void set_wave_type_relay(int32 ch, int32 wave_type);
    // 1-4: hooks of the trigger, sync, modulation-source and counter settings.
    virtual void set_ext_relay(int32 on);
    virtual void set_counter_relay_b(int32 on);
    virtual void set_counter_relay_a(int32 on);
    virtual void set_spare_relay_a(int32 on);
    // 5: the wave-path line: state 0 sets bit 0, state 1 clears it.
    virtual void set_path_relay(int32 ch, int32 state);
    // 6-8.
    virtual void set_spare_relay_b(int32 ch, int32 on);
    virtual void set_cali_relay(int32 ch, int32 on);
    virtual void set_spare_relay_c(int32 ch, int32 on);
    // 9: the mask's bits set (on 1) or cleared; 1.
    virtual int32 set_range_bit(int32 ch, int32 on, int32 mask);
    // 10: bits 1 and 2 replaced by bits; 1.
    virtual int32 set_range_word(int32 ch, int32 bits);
    // 11: 1.
    virtual int32 set_relay_defaults(int32 unused);
    // 12: stores the word, then sends it.
    virtual void write_word(u16 word);
    // 13: write_word (word).
    virtual void update_word(int32 unused, u16 word);
    // 14: whether the range word is one the output stage has.
    virtual int32 check_coarse_word(int32 ch, int32 word);

    u16 get_word() const { return _relay_word; }
    // Stores the word without writing it.
    void set_word_shadow(u16 word) { _relay_word = word; }
    // set_relay_defaults (0).
    void reset();

protected:
    // The word last written or stored.
    u16 _relay_word = 0;
    // 1 after a sine was given to set_wave_type_relay, 0 after another wave; -1 until
    // the first, so that the first call always writes.
    int32 _path_state = -1;
};
