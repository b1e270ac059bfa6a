#pragma once
#include <QWidget>

class QLabel;

// The "Waveform" titled area of a control-panel channel page.
class ui_waveform_widget_t : public QWidget
{
    Q_OBJECT
public:
    ui_waveform_widget_t(QWidget *parent, int width, int height);

    QLabel *title() const { return m_title; }
    QWidget *area() const { return m_area; }

private:
    QLabel *m_title;
    QWidget *m_area;
};
