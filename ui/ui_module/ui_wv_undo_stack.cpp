#include "ui_wv_undo_stack.h"

#include <algorithm>

ui_wv_undo_stack_t::ui_wv_undo_stack_t(QObject *parent) : QUndoStack(parent), last_index(index())
{
    connect(this, SIGNAL(indexChanged(int)), this, SLOT(index_changed_slot_func(int)));
}

ui_wv_undo_stack_t::~ui_wv_undo_stack_t() = default;

void ui_wv_undo_stack_t::index_changed_slot_func(int index)
{
    if (index != last_index)
        emit clicked_undo_redo_signal(std::max(index - 1, 0), last_index >= index);
    last_index = index;
}
