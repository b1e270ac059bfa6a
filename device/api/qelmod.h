#ifndef QELMOD_H
#define QELMOD_H
/*
 * The device library of the USB waveform-generator module: its exported C API.
 *
 * Call awg_cfg_init once before any other export except vextral_device_detected
 * (which may be called at any time); awg_cfg_uninit last. The setters act on the
 * module's first output channel, take physical values in base units (hertz, seconds,
 * volts, percent) and return 1 whatever happened. All calls run on the caller's thread
 * and must not be made from two threads at once.
 */
#include <stdbool.h>
#include <stdint.h>

#if defined(__GNUC__)
#define QELMOD_EXPORT __attribute__((visibility("default")))
#else
#define QELMOD_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

QELMOD_EXPORT int awg_cfg_init(void);
QELMOD_EXPORT int awg_cfg_uninit(void);
QELMOD_EXPORT int awg_set_ch_switch(int on, bool apply);
QELMOD_EXPORT int awg_set_wave_type(int type, bool apply);
QELMOD_EXPORT int awg_set_arb_wave_type(int index, bool apply);
QELMOD_EXPORT int awg_set_user_arb_wave(const char *unused, const char *wave_path, const char *folder);
QELMOD_EXPORT int awg_set_freqency(long double hertz);
QELMOD_EXPORT int awg_set_period(long double seconds);
QELMOD_EXPORT int awg_set_wave_ampl(long double volts);
QELMOD_EXPORT int awg_set_high_level(long double volts);
QELMOD_EXPORT int awg_set_low_level(long double volts);
QELMOD_EXPORT int awg_set_offset(long double volts);
QELMOD_EXPORT int awg_set_duty(int percent);
QELMOD_EXPORT int awg_set_symmetry(int percent);
QELMOD_EXPORT int awg_set_width(long double seconds);
QELMOD_EXPORT int awg_set_stdev(long double volts);
QELMOD_EXPORT int awg_set_mean(long double volts);
QELMOD_EXPORT int awg_set_load(int load);
/* 1 when the module is plugged in, 0 otherwise. Scans only; needs no awg_cfg_init. */
QELMOD_EXPORT int vextral_device_detected(void);
/* Marks the module closed so that the next register access opens it again. */
QELMOD_EXPORT void vextral_setinit(unsigned char ignored);
QELMOD_EXPORT int vextral_setARBmode(void);
QELMOD_EXPORT void vextral_loadData_toFpga(const uint16_t *data, int count);

#ifdef __cplusplus
}
#endif

#endif
