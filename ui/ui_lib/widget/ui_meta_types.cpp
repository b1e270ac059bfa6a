#include "ui_meta_types.h"

#include "cfg_wv_types.h"
#include "lib_types.h"

#include <QMetaType>

void ui_register_meta_types()
{
    static const bool done = [] {
        qRegisterMetaType<int32>("int32");
        qRegisterMetaType<uint32>("uint32");
        qRegisterMetaType<int16>("int16");
        qRegisterMetaType<uint16>("uint16");
        qRegisterMetaType<fp32>("fp32");
        qRegisterMetaType<lib_wv_type_t>("lib_wv_type_t");
        qRegisterMetaType<instr_zqw_t>("instr_zqw_t");
        qRegisterMetaType<lib_ch_t>("lib_ch_t");
        return true;
    }();
    (void)done;
}
