#include "drv_hc4051.h"

void drv_hc4051_t::init() {}
void drv_hc4051_t::set_channel_select_1(int32) {}
void drv_hc4051_t::set_channel_select_2(int32) {}
void drv_hc4051_t::select_input(int32) {}
bool drv_hc4051_t::replaces_select_input() const { return false; }
