// Commands whose menus, tool bar and dialogs arrive later: each says so in the log.
#include "ui_ondrix.h"

#include <QDebug>

void ui_ondrix_t::not_built_yet(const char *slot) const
{
    qDebug().noquote() << QString("not built yet: ") + slot;
}

void ui_ondrix_t::mbar_file_slot_func() { not_built_yet("mbar_file_slot_func()"); }
void ui_ondrix_t::mbar_edit_slot_func() { not_built_yet("mbar_edit_slot_func()"); }
void ui_ondrix_t::mbar_view_slot_func() { not_built_yet("mbar_view_slot_func()"); }
void ui_ondrix_t::mbar_waveform_slot_func() { not_built_yet("mbar_waveform_slot_func()"); }
void ui_ondrix_t::mbar_comm_slot_func() { not_built_yet("mbar_comm_slot_func()"); }
void ui_ondrix_t::mbar_panel_slot_func() { not_built_yet("mbar_panel_slot_func()"); }
void ui_ondrix_t::mbar_lang_slot_func() { not_built_yet("mbar_lang_slot_func()"); }
void ui_ondrix_t::mbar_help_slot_func() { not_built_yet("mbar_help_slot_func()"); }
void ui_ondrix_t::tbar_bs_slot_func() { not_built_yet("tbar_bs_slot_func()"); }
void ui_ondrix_t::tbar_zoom_slot_func() { not_built_yet("tbar_zoom_slot_func()"); }
void ui_ondrix_t::tbar_bswv_slot_func() { not_built_yet("tbar_bswv_slot_func()"); }
void ui_ondrix_t::tbar_adwv_slot_func() { not_built_yet("tbar_adwv_slot_func()"); }
void ui_ondrix_t::tbar_digital_wave_slot_func() { not_built_yet("tbar_digital_wave_slot_func()"); }
void ui_ondrix_t::tbar_equa_slot_func() { not_built_yet("tbar_equa_slot_func()"); }
void ui_ondrix_t::tbar_parameter_slot_func() { not_built_yet("tbar_parameter_slot_func()"); }
void ui_ondrix_t::tbar_property_slot_func() { not_built_yet("tbar_property_slot_func()"); }
void ui_ondrix_t::tbar_cursor_slot_func() { not_built_yet("tbar_cursor_slot_func()"); }
void ui_ondrix_t::tbar_wv_oper_slot_func() { not_built_yet("tbar_wv_oper_slot_func()"); }
void ui_ondrix_t::tbar_draw_wv_slot_func() { not_built_yet("tbar_draw_wv_slot_func()"); }
void ui_ondrix_t::tbar_math_slot_func() { not_built_yet("tbar_math_slot_func()"); }
void ui_ondrix_t::tbar_comm_slot_func() { not_built_yet("tbar_comm_slot_func()"); }
void ui_ondrix_t::instr_interact_handle_slot_func(ui_comm_mode_t, uint16)
{
    not_built_yet("instr_interact_handle_slot_func(ui_comm_mode_t,uint16)");
}
void ui_ondrix_t::wv_settings_form_btn_slot_func(ui_wv_settings_t *, int32)
{
    not_built_yet("wv_settings_form_btn_slot_func(ui_wv_settings_t*,int32)");
}
void ui_ondrix_t::std_wv_form_btn_slot_func(ui_stdwvform_t *, int32, bool)
{
    not_built_yet("std_wv_form_btn_slot_func(ui_stdwvform_t*,int32,bool)");
}
void ui_ondrix_t::digital_wv_form_btn_slot_func(ui_digtal_wave_form_t *, int32, bool)
{
    not_built_yet("digital_wv_form_btn_slot_func(ui_digtal_wave_form_t*,int32,bool)");
}
void ui_ondrix_t::equation_form_btn_slot_func(ui_equation_form_t *, int32)
{
    not_built_yet("equation_form_btn_slot_func(ui_equation_form_t*,int32)");
}
void ui_ondrix_t::wv_property_form_btn_slot_func(ui_wv_property_form_t *, int32)
{
    not_built_yet("wv_property_form_btn_slot_func(ui_wv_property_form_t*,int32)");
}
void ui_ondrix_t::view_property_form_btn_slot_func(ui_view_property_t *, int32)
{
    not_built_yet("view_property_form_btn_slot_func(ui_view_property_t*,int32)");
}
void ui_ondrix_t::cursor_setting_form_btn_slot_func(ui_cursor_setting_t *, int32)
{
    not_built_yet("cursor_setting_form_btn_slot_func(ui_cursor_setting_t*,int32)");
}
void ui_ondrix_t::comm_form_btn_slot_func(ui_comm_form_t *, int32)
{
    not_built_yet("comm_form_btn_slot_func(ui_comm_form_t*,int32)");
}
void ui_ondrix_t::arith_math_form_btn_slot_func(ui_wvmath_form_t *, int32)
{
    not_built_yet("arith_math_form_btn_slot_func(ui_wvmath_form_t*,int32)");
}
void ui_ondrix_t::filter_form_btn_slot_func(ui_filter_form_t *, int32)
{
    not_built_yet("filter_form_btn_slot_func(ui_filter_form_t*,int32)");
}
void ui_ondrix_t::window_form_btn_slot_func(ui_window_form_t *, int32)
{
    not_built_yet("window_form_btn_slot_func(ui_window_form_t*,int32)");
}
void ui_ondrix_t::wvform_info_main_window_func(wvform_info_t)
{
    not_built_yet("wvform_info_main_window_func(wvform_info_t)");
}
void ui_ondrix_t::send_wv_to_arb_slot_func() { not_built_yet("send_wv_to_arb_slot_func()"); }
