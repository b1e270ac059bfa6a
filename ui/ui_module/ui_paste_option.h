#pragma once
#include "lib_types.h"

#include <QWidget>

class Ui_ui_paste_option_t;

// "Paste Options": where the copy buffer goes. Reports OK (3) and Cancel (2) through
// paste_option_form_btn_signal; closing it by its frame reports nothing.
class ui_paste_option_t : public QWidget
{
    Q_OBJECT
public:
    ui_paste_option_t(QWidget *parent, bool x_cursors_visible);
    ~ui_paste_option_t() override;

    // 0 prepend, 1 append, 2 replace between the X cursors, 3 paste to the active cursor.
    int32 get_paste_type() const { return paste_type; }
    void set_paste_type(int32 type) { paste_type = type; }

signals:
    void btn_info_signal(ui_paste_option_t *type, int32 btn);
    void paste_option_form_btn_signal(ui_paste_option_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void paste_option_form_btn_slot_func(ui_paste_option_t *type, int32 btn);

private:
    Ui_ui_paste_option_t *form;
    int32 paste_type;
    bool x_cursors_on;
};
