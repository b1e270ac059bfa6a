#include "custom_scake_draw.h"

#include <cmath>

CustomScakeDraw::CustomScakeDraw(const QStringList &labels_) : labels(labels_)
{
}

QwtText CustomScakeDraw::label(double value) const
{
    QString text;
    const double i = std::trunc(value);
    if (i >= 0.0 && i < labels.size())
        text = labels.at(static_cast<int>(i));
    QwtText label(text, QwtText::AutoText);
    label.setColor(QColor(255, 255, 255, 255));
    return label;
}
