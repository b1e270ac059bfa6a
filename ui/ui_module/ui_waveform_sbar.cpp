#include "ui_waveform_sbar.h"

#include "ui_sbar_parts.h"
#include "ui_waveform_cursor.h"
#include "ui_waveform_cursor_sel.h"

#include <QGridLayout>
#include <QLabel>

ui_waveform_sbar_t::ui_waveform_sbar_t(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), cursor_widget(nullptr), cursor_sel_widget(nullptr)
{
    setObjectName("wvform_sbar_main");
    cursor_widget = new ui_waveform_cursor_t;
    cursor_sel_widget = new ui_waveform_cursor_sel_t;
    QLabel *top_line = ui_sbar_separator();
    top_line->setFixedHeight(8);

    QGridLayout *grid = ui_sbar_grid(this, 0, 0);
    grid->addWidget(top_line, 0, 0, 1, 2);
    grid->addWidget(cursor_sel_widget, 1, 0, Qt::AlignLeft);
    grid->addWidget(cursor_widget, 1, 1, 2, 1, Qt::AlignRight);
}

ui_waveform_sbar_t::~ui_waveform_sbar_t()
{
    delete cursor_widget;
    delete cursor_sel_widget;
}
