#include "ui_ipline_widget.h"

#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace {
constexpr int k_max_octet = 255;
constexpr int k_octet_digits = 3;
} // namespace

ui_ip_ledit_t::ui_ip_ledit_t(const QString &text, QWidget *parent) : QLineEdit(text, parent)
{
    setMaxLength(k_octet_digits);
    connect_text();
}

ui_ip_ledit_t::ui_ip_ledit_t(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(k_octet_digits);
    connect_text();
}

void ui_ip_ledit_t::connect_text()
{
    connect(this, SIGNAL(textChanged(const QString &)), this, SLOT(btn_text_changed_func(QString)));
}

void ui_ip_ledit_t::disconnect_text()
{
    disconnect(this, SIGNAL(textChanged(const QString &)), this, SLOT(btn_text_changed_func(QString)));
}

void ui_ip_ledit_t::btn_text_changed_func(QString text)
{
    bool ok = false;
    int value = text.toInt(&ok, 10);
    if (!ok)
        value = 0;
    if (value > k_max_octet) {
        disconnect_text();
        setText(QString::number(k_max_octet));
        connect_text();
        setCursorPosition(0);
        return;
    }
    if (text.length() == maxLength()) {
        qDebug() << "++++++ui_ip_ledit_t::btn_text_changed_func():change lineEdit!";
        emit pressed_valid_changed_ledit();
    }
}

void ui_ip_ledit_t::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Backspace) {
        const int at = cursorPosition();
        QLineEdit::keyPressEvent(event);
        if (at == 0 || at == 1)
            emit cursor_moved_valid_changed_ledit(0);
        return;
    }
    int step = 0;
    if (key == Qt::Key_Left || key == Qt::Key_Up)
        step = -1;
    else if (key == Qt::Key_Right || key == Qt::Key_Down)
        step = 1;
    // Letters, ".", Home, End and the rest do nothing here.
    if (step == 0)
        return;
    const int to = cursorPosition() + step;
    setCursorPosition(to);
    if (to < 0)
        emit cursor_moved_valid_changed_ledit(0);
    else if (to > text().length())
        emit cursor_moved_valid_changed_ledit(1);
}

void ui_ip_ledit_t::focusOutEvent(QFocusEvent *event) { QLineEdit::focusOutEvent(event); }

ui_ipline_widget_t::ui_ipline_widget_t(QWidget *parent) : QWidget(parent), m_main_widget(nullptr), m_section(4)
{
    // A frame, so that the style sheet's rule for the address box applies to it.
    m_main_widget = new QFrame(this);
    m_main_widget->setObjectName("ip_edit_main_widget");
    m_main_widget->setFixedHeight(30);
    for (int i = 0; i < m_section; ++i) {
        auto *field = new ui_ip_ledit_t("0", this);
        field->setObjectName("ip_ledit_widget");
        field->setAlignment(Qt::AlignHCenter);
        connect(field, SIGNAL(pressed_valid_changed_ledit()), this, SLOT(pressed_valid_changed_ledit_func()));
        connect(field, SIGNAL(cursor_moved_valid_changed_ledit(int)), this,
                SLOT(cursor_moved_valid_changed_ledit_func(int)));
        m_ledits << field;
    }
    for (int i = 0; i < m_section - 1; ++i) {
        auto *dot = new QLabel(".", this);
        dot->setObjectName("ip_dot_label");
        m_dots << dot;
    }
    auto *inner = new QHBoxLayout(m_main_widget);
    inner->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < m_section; ++i) {
        inner->addWidget(m_ledits[i], 0);
        if (i < m_dots.size())
            inner->addWidget(m_dots[i], 4);
    }
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_main_widget, 0, Qt::AlignCenter);
}

int ui_ipline_widget_t::focused_field(int first, int last) const
{
    for (int i = first; i <= last && i < m_ledits.size(); ++i)
        if (m_ledits[i]->hasFocus())
            return i;
    return -1;
}

void ui_ipline_widget_t::pressed_valid_changed_ledit_func()
{
    if (sender() == m_ledits.last())
        return;
    const int i = focused_field(0, m_ledits.size() - 2);
    if (i < 0)
        return;
    m_ledits[i]->clearFocus();
    m_ledits[i + 1]->setFocus(Qt::OtherFocusReason);
    m_ledits[i + 1]->selectAll();
}

void ui_ipline_widget_t::cursor_moved_valid_changed_ledit_func(int dir)
{
    if (dir < 1) {
        if (sender() == m_ledits.first())
            return;
        const int i = focused_field(1, m_ledits.size() - 1);
        if (i < 0)
            return;
        m_ledits[i - 1]->setFocus(Qt::OtherFocusReason);
        m_ledits[i - 1]->setCursorPosition(m_ledits[i - 1]->text().length());
        return;
    }
    if (sender() == m_ledits.last())
        return;
    const int i = focused_field(0, m_ledits.size() - 2);
    if (i < 0)
        return;
    m_ledits[i + 1]->setFocus(Qt::OtherFocusReason);
    m_ledits[i + 1]->setCursorPosition(0);
}

void ui_ipline_widget_t::set_field_text(ui_ip_ledit_t *field, const QString &text)
{
    const bool blocked = field->blockSignals(true);
    field->setText(text);
    field->blockSignals(blocked);
}

void ui_ipline_widget_t::set_value(QList<int> &values)
{
    if (values.size() != m_ledits.size()) {
        qDebug() << "ui_ipline_widget_t::set_value: section error!!!";
        return;
    }
    for (int i = 0; i < m_ledits.size(); ++i)
        set_field_text(m_ledits[i], QString::number(values[i]));
}

void ui_ipline_widget_t::set_value(QList<QString> &values)
{
    if (values.size() != m_ledits.size()) {
        qDebug() << "ui_ipline_widget_t::set_value: section error!!!";
        return;
    }
    for (int i = 0; i < m_ledits.size(); ++i)
        set_field_text(m_ledits[i], values[i]);
}

QString ui_ipline_widget_t::get_resource() const
{
    QStringList octets;
    for (const ui_ip_ledit_t *field : m_ledits)
        octets << field->text();
    return "TCPIP0::" + octets.join(".") + "::INSTR";
}
