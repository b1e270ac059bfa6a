#pragma once
#include <QWidget>

class ui_waveform_cursor_t;
class ui_waveform_cursor_sel_t;

// A document window's status bar: selection and pointer on the left, cursors on the
// right. It only shows what the window pushes into it.
class ui_waveform_sbar_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_waveform_sbar_t(QWidget *parent = nullptr,
                                Qt::WindowFlags flags = Qt::WindowFlags());
    ~ui_waveform_sbar_t() override;

    ui_waveform_cursor_t *cursor_widget;
    ui_waveform_cursor_sel_t *cursor_sel_widget;
};
