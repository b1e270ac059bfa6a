#include "drv_hc595.h"

#include "drv_bus.h"

namespace {

// Serial device of the relay shift register (16-bit words).
constexpr int32 DRV_HC595_SERIAL_DEVICE = 1;

} // namespace

void drv_hc595_t::set_wave_type_relay(int32, int32) {}
void drv_hc595_t::set_ext_relay(int32) {}
void drv_hc595_t::set_counter_relay_b(int32) {}
void drv_hc595_t::set_counter_relay_a(int32) {}
void drv_hc595_t::set_spare_relay_a(int32) {}
void drv_hc595_t::set_path_relay(int32, int32) {}
void drv_hc595_t::set_spare_relay_b(int32, int32) {}
void drv_hc595_t::set_cali_relay(int32, int32) {}
void drv_hc595_t::set_spare_relay_c(int32, int32) {}
int32 drv_hc595_t::set_range_bit(int32, int32, int32) { return 1; }
int32 drv_hc595_t::set_range_word(int32, int32) { return 1; }
int32 drv_hc595_t::set_relay_defaults(int32) { return 1; }
int32 drv_hc595_t::check_coarse_word(int32, int32) { return 1; }

void drv_hc595_t::write_word(u16 word)
{
    _relay_word = word;
    drv_serial_write(DRV_HC595_SERIAL_DEVICE, word);
}

void drv_hc595_t::update_word(int32, u16 word)
{
    write_word(word);
}

void drv_hc595_t::reset()
{
    set_relay_defaults(0);
}
