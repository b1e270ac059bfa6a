#include "ui_restyle.h"

#include <QStyle>
#include <QWidget>

void ui_restyle(QWidget *w)
{
    w->style()->unpolish(w);
    w->style()->polish(w);
    w->update();
}
