// cfg_pattern_settings_t: the pattern setting record.
#include "cfg_pattern_settings.h"

void cfg_pattern_settings_t::init(int32 ch)
{
    channel = ch;
    setting_a = 0;
    setting_b = 0;
    setting_c = 8;
    setting_d = 0;
    setting_e = 0;
}
