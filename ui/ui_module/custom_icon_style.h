#pragma once
#include <QCommonStyle>

// The style of every main-window menu: menu items 10 pixels wider than the common
// style makes them, so the icon column does not crowd the text.
class CustomIconStyle : public QCommonStyle
{
    Q_OBJECT
public:
    CustomIconStyle();
    ~CustomIconStyle() override;
    void SetCustomSize(int size) { mSize = size; }
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;

private:
    int mSize;
};
