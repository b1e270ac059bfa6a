#include "ui_icon_look.h"

#include <QPainter>
#include <QPixmap>

QIcon ui_icon_with_disabled_look(const QIcon &icon, const QSize &size)
{
    const QPixmap normal = icon.pixmap(size);
    if (normal.isNull())
        return icon;
    QPixmap muted(normal.size());
    muted.fill(Qt::transparent);
    {
        QPainter painter(&muted);
        painter.setOpacity(0.35);
        painter.drawPixmap(0, 0, normal);
    }
    QIcon result;
    result.addPixmap(normal, QIcon::Normal);
    result.addPixmap(muted, QIcon::Disabled);
    return result;
}
