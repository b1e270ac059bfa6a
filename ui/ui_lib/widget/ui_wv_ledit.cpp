#include "ui_wv_ledit.h"

#include <QGridLayout>
#include <QLineEdit>

ui_wv_ledit_t::ui_wv_ledit_t(QWidget *parent, Qt::WindowFlags flags)
    : QFrame(parent, flags), posfix_text("wave1"), prefix_ledit(new QLineEdit),
      posfix_ledit(new QLineEdit)
{
    setObjectName("ip_edit_main_widget");
    QGridLayout *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    grid->setAlignment(Qt::AlignCenter);
    prefix_ledit->setObjectName("wv_ledit_widget");
    posfix_ledit->setObjectName("wv_ledit_widget");
    prefix_ledit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    posfix_ledit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(prefix_ledit, 0, 1);
    grid->addWidget(posfix_ledit, 0, 2);
    posfix_ledit->installEventFilter(this);
}

void ui_wv_ledit_t::set_prefix_text(const QString &text)
{
    prefix_ledit->setText(text);
    // The fixed part shows whole (its start would be cut off in a half-width edit); the
    // editable part takes the rest.
    prefix_ledit->ensurePolished();
    prefix_ledit->setMinimumWidth(prefix_ledit->fontMetrics().horizontalAdvance(text) + 12);
}

QString ui_wv_ledit_t::get_prefix_text() const
{
    return prefix_ledit->text();
}

void ui_wv_ledit_t::set_prefix_enabled(bool enabled)
{
    prefix_ledit->setEnabled(enabled);
}

void ui_wv_ledit_t::set_posfix_text(const QString &text)
{
    posfix_text = text;
    posfix_ledit->setText(text);
}

QString ui_wv_ledit_t::get_posfix_text() const
{
    return posfix_ledit->text();
}

QString ui_wv_ledit_t::get_wave_name() const
{
    return prefix_ledit->text() + posfix_ledit->text();
}

bool ui_wv_ledit_t::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == posfix_ledit)
        return false;
    return QFrame::eventFilter(watched, event);
}
