#pragma once
#include <QWidget>

// Content of the main window's left dock, with a fixed preferred size.
class ui_custom_dock_widget_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_custom_dock_widget_t(QWidget *parent = nullptr,
                                     Qt::WindowFlags flags = Qt::WindowFlags());
    QSize sizeHint() const override;
};
