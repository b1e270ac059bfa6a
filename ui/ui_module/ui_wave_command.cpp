#include "ui_wave_command.h"

ui_wave_command_t::ui_wave_command_t(const lib_wv_data_t<short int> &current,
                                     const lib_wv_data_t<short int> &backup, QUndoCommand *parent)
    : QUndoCommand(parent), status(0)
{
    // Each snapshot is another name of the file it is taken from: nothing writes a file
    // with several names in place (see lib_open_rw), so the snapshots stay as taken. A
    // snapshot that could not be made whole (a full disk) must not become a step.
    if (!after.share(current) || !before.share(backup))
        status = 3;
}

ui_wave_command_t::~ui_wave_command_t() = default;

void ui_wave_command_t::undo() {}

void ui_wave_command_t::redo() {}
