// The modulation applies: both channels' values read back from their managers and
// sent in one driver call, so that the two channels change at one update when the
// hold rule asks for it.
#include "cfg_apply.h"
#include "cfg_apply_hold.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "drv_interface.h"

void cfg_apply_mod_freq_both()
{
    const int32 hold = cfg_get_mod_hold();
    cfg_mod_main_t *mod0 = cfg_get_mod_main(0);
    cfg_mod_main_t *mod1 = cfg_get_mod_main(1);
    // The frequency record is shared by both managers: take each value at once.
    const long double hz0 = mod0->get_mod_freq()->data;
    const long double hz1 = mod1->get_mod_freq()->data;
    drv_interface_t::get_instance()->set_mod_freq_both(hold, mod0->get_type(), mod1->get_type(), hz0, hz1);
}

void cfg_apply_mod_deviation_both()
{
    const int32 hold = cfg_get_mod_hold();
    cfg_mod_main_t *mod0 = cfg_get_mod_main(0);
    cfg_mod_main_t *mod1 = cfg_get_mod_main(1);
    drv_interface_t::get_instance()->set_mod_deviation_both(hold, mod0->get_type(), mod1->get_type(),
                                                            mod0->get_deviation().data, mod1->get_deviation().data);
}

void cfg_apply_fsk_hop_both()
{
    const int32 hold = cfg_get_mod_hold();
    const long double hop0 = cfg_get_mod_main(0)->get_fsk_hop_freq().data;
    const long double hop1 = cfg_get_mod_main(1)->get_fsk_hop_freq().data;
    drv_interface_t::get_instance()->set_fsk_hop_freq_both(hold, hop0, hop1);
}

void cfg_apply_mod_phase(int32 ch)
{
    lib_unit_data_t phase{};
    cfg_get_mod_main(ch)->get_psk_phase(&phase);
    drv_interface_t::get_instance()->set_mod_phase(ch, phase.data);
}
