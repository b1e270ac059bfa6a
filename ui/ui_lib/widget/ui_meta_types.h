#pragma once
#include "cfg_wv_types.h"

#include <QMetaType>

Q_DECLARE_METATYPE(lib_wv_type_t)
Q_DECLARE_METATYPE(instr_zqw_t)
Q_DECLARE_METATYPE(lib_ch_t)

// Registers the typedef and enum names used in signal signatures (int32, uint32, int16,
// uint16, fp32, lib_wv_type_t, instr_zqw_t, lib_ch_t) with Qt's meta-type system, so
// queued connections and signal spies can carry them. Safe to call any number of times.
void ui_register_meta_types();
