#pragma once
#include "lib_types.h"

#include <QCommonStyle>

// The message boxes' own style: Qt's common style, not the platform one, so the
// application style sheet alone decides their look.
class MessageboxIconStyle : public QCommonStyle
{
    Q_OBJECT
public:
    MessageboxIconStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    int32 icon_size;
};
