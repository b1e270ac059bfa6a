#pragma once
#include <QStringList>
#include <qwt_scale_draw.h>

// Labels tick i with entry i of a fixed list (the digital plot's channel and point
// names); ticks outside the list stay blank.
class CustomScakeDraw : public QwtScaleDraw
{
public:
    explicit CustomScakeDraw(const QStringList &labels);

    QwtText label(double value) const override;

private:
    QStringList labels;
};
