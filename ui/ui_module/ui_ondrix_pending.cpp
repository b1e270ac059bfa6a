// Commands whose dialogs arrive later: each says so in the log. The menu entries and
// buttons behind them stay disabled (is_command_available).
#include "ui_ondrix.h"

#include <QDebug>

void ui_ondrix_t::not_built_yet(const char *slot) const
{
    qDebug().noquote() << QString("not built yet: ") + slot;
}

void ui_ondrix_t::open_send_comm_form(uint16) { not_built_yet("open_send_comm_form(uint16)"); }
void ui_ondrix_t::open_comm_form(ui_comm_mode_t, uint16) { not_built_yet("open_comm_form(ui_comm_mode_t,uint16)"); }

void ui_ondrix_t::comm_form_btn_slot_func(ui_comm_form_t *, int32)
{
    not_built_yet("comm_form_btn_slot_func(ui_comm_form_t*,int32)");
}
