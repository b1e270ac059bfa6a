#pragma once
#include "lib_types.h"

#include <QUndoStack>

// A document window's undo stack. Its commands do nothing themselves: every change of
// the index is reported, and the window copies the matching snapshot into the document.
class ui_wv_undo_stack_t : public QUndoStack
{
    Q_OBJECT
public:
    explicit ui_wv_undo_stack_t(QObject *parent = nullptr);
    ~ui_wv_undo_stack_t() override;

signals:
    // (index of the command to restore, true when the stack moved down)
    void clicked_undo_redo_signal(int index, bool is_undo);

public slots:
    void index_changed_slot_func(int index);

private:
    int32 last_index;
};
