#include "ui_wave_command.h"

ui_wave_command_t::ui_wave_command_t(const lib_wv_data_t<short int> &current,
                                     const lib_wv_data_t<short int> &backup, QUndoCommand *parent)
    : QUndoCommand(parent), status(0)
{
    // A snapshot that could not be copied whole (a full disk) must not become a step.
    if (!after.assign(current) || !before.assign(backup))
        status = 3;
}

ui_wave_command_t::~ui_wave_command_t() = default;

void ui_wave_command_t::undo() {}

void ui_wave_command_t::redo() {}
