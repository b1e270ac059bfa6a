#pragma once
#include "lib_types.h"

#include <QPointF>
#include <qwt_picker.h>

class QwtPlot;

// Follows the mouse over the waveform plot's canvas and reports its position as a
// sample index (x) and a raw sample value (y, the yRight axis). Draws no tracker text.
class ui_qwt_picker_t : public QwtPicker
{
    Q_OBJECT

public:
    ui_qwt_picker_t(QwtPlot *plot, RubberBand rubber_band, DisplayMode tracker_mode, QWidget *canvas);
    explicit ui_qwt_picker_t(QWidget *canvas);
    ui_qwt_picker_t(RubberBand rubber_band, DisplayMode tracker_mode, QWidget *canvas);

    // Connects the own report signal to the own slot; true when the connection holds.
    bool connect_pos_signal();
    // The last reported position; (0, 0) before the first report.
    QPointF get_pos() const;

    QwtText trackerText(const QPoint &pos) const override;

signals:
    void pos_update_signal(fp32 x, fp32 y);

public slots:
    void update_pos_slot_func(fp32 x, fp32 y);

private:
    double last_x = 0.0;
    double last_y = 0.0;
    QwtPlot *plot = nullptr;
};
