#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

#include <QUndoCommand>

// One recorded edit: the samples (with amplitude and offset) after and before it, each
// in a sample file of its own that goes away with the command.
class ui_wave_command_t : public QUndoCommand
{
public:
    ui_wave_command_t(const lib_wv_data_t<short int> &current, const lib_wv_data_t<short int> &backup,
                      QUndoCommand *parent = nullptr);
    ~ui_wave_command_t() override;

    // The window restores the snapshots itself when the stack's index changes.
    void undo() override;
    void redo() override;

    int32 get_status() const { return status; }
    const lib_wv_data_t<short int> &get_after() const { return after; }
    const lib_wv_data_t<short int> &get_before() const { return before; }

private:
    int32 status;
    lib_wv_data_t<short int> after;
    lib_wv_data_t<short int> before;
};
