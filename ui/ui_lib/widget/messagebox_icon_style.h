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

    // Kept for the boxes' icons; the metrics themselves stay the common style's.
    void set_icon_size(int32 size) { icon_size = size; }
    int32 get_icon_size() const { return icon_size; }

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    int32 icon_size;
};
