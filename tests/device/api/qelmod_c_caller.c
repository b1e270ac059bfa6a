/*
 * A plain C caller of libqelmod.so: it includes only the exported header and runs one
 * scenario, named by its argument, printing "name=result" for every call.
 *
 *   before    every export before awg_cfg_init
 *   sine      awg_cfg_init, then a 1 kHz sine of 2 V on channel 0 with the output on
 *   extremes  awg_cfg_init, then extreme, non-finite and NULL arguments, awg_cfg_uninit
 *             and the setters once more
 */
#include "qelmod.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#define SHOW(call) printf("%s=%d\n", #call, (int)(call))

static void all_setters(void)
{
    static const uint16_t samples[4] = {1, 2, 3, 4};
    SHOW(awg_set_ch_switch(1, true));
    SHOW(awg_set_wave_type(0, false));
    SHOW(awg_set_arb_wave_type(3, true));
    SHOW(awg_set_user_arb_wave("a", "wave.csv", "."));
    SHOW(awg_set_freqency(1000.0L));
    SHOW(awg_set_period(0.001L));
    SHOW(awg_set_wave_ampl(2.0L));
    SHOW(awg_set_high_level(1.0L));
    SHOW(awg_set_low_level(-1.0L));
    SHOW(awg_set_offset(0.0L));
    SHOW(awg_set_duty(33));
    SHOW(awg_set_symmetry(20));
    SHOW(awg_set_width(0.0001L));
    SHOW(awg_set_stdev(0.1L));
    SHOW(awg_set_mean(0.0L));
    SHOW(awg_set_load(7));
    SHOW(vextral_setARBmode());
    vextral_loadData_toFpga(samples, 4);
    vextral_loadData_toFpga(NULL, 5);
    vextral_loadData_toFpga(samples, -1);
    printf("loadData=done\n");
}

static void extremes(void)
{
    const long double bad[] = {NAN, INFINITY, -INFINITY, 1e4000L, -1e4000L};
    size_t i;
    for (i = 0; i < sizeof bad / sizeof bad[0]; ++i) {
        SHOW(awg_set_freqency(bad[i]));
        SHOW(awg_set_period(bad[i]));
        SHOW(awg_set_wave_ampl(bad[i]));
        SHOW(awg_set_high_level(bad[i]));
        SHOW(awg_set_low_level(bad[i]));
        SHOW(awg_set_offset(bad[i]));
        SHOW(awg_set_width(bad[i]));
        SHOW(awg_set_stdev(bad[i]));
        SHOW(awg_set_mean(bad[i]));
    }
    SHOW(awg_set_freqency(2.0e9L));
    SHOW(awg_set_freqency(-5.0L));
    SHOW(awg_set_duty(-2147483647 - 1));
    SHOW(awg_set_symmetry(2147483647));
    SHOW(awg_set_ch_switch(2, false));
    SHOW(awg_set_wave_type(-5, true));
    SHOW(awg_set_wave_type(99, true));
    SHOW(awg_set_arb_wave_type(-1, true));
    SHOW(awg_set_arb_wave_type(1000, false));
    SHOW(awg_set_user_arb_wave(NULL, NULL, NULL));
    SHOW(awg_set_user_arb_wave("x", "missing.csv", NULL));
    SHOW(awg_set_load(-1));
    vextral_loadData_toFpga(NULL, 16384);
    vextral_loadData_toFpga(NULL, -5);
    printf("loadData=done\n");
}

int main(int argc, char **argv)
{
    const char *scenario = argc > 1 ? argv[1] : "";
    setvbuf(stdout, NULL, _IONBF, 0);
    if (strcmp(scenario, "before") == 0) {
        all_setters();
        return 0;
    }
    SHOW(awg_cfg_init());
    if (strcmp(scenario, "sine") == 0) {
        SHOW(awg_set_wave_type(0, true));
        SHOW(awg_set_freqency(1000.0L));
        SHOW(awg_set_wave_ampl(2.0L));
        SHOW(awg_set_ch_switch(1, true));
        return 0;
    }
    if (strcmp(scenario, "extremes") == 0) {
        extremes();
        SHOW(awg_cfg_uninit());
        all_setters();
        return 0;
    }
    return 2;
}
