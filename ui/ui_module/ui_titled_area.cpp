#include "ui_titled_area.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

void ui_build_titled_area(QWidget *owner, const QString &title, int width, int height, QLabel *&title_label,
                          QWidget *&area)
{
    owner->setFixedSize(width, height);
    title_label = new QLabel(title, owner);
    title_label->setObjectName("title");
    title_label->setContentsMargins(10, 0, 0, 0);
    area = new QWidget(owner);
    area->setObjectName("area");
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title_label, 1);
    layout->addWidget(area, 6);
}
