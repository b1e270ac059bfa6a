#include "ui_wave_command.h"

ui_wave_command_t::ui_wave_command_t(const lib_wv_data_t<short int> &current,
                                     const lib_wv_data_t<short int> &backup, QUndoCommand *parent)
    : QUndoCommand(parent), status(0)
{
    after.assign(current);
    before.assign(backup);
}

ui_wave_command_t::~ui_wave_command_t() = default;

void ui_wave_command_t::undo() {}

void ui_wave_command_t::redo() {}
