#pragma once
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;

// One octet of an IPv4 address: at most three digits; a value above 255 turns into 255.
// It asks its address widget to move the focus on when it is full, and when the cursor
// runs past either end.
class ui_ip_ledit_t : public QLineEdit
{
    Q_OBJECT
public:
    ui_ip_ledit_t(const QString &text, QWidget *parent);
    explicit ui_ip_ledit_t(QWidget *parent);

signals:
    void pressed_valid_changed_ledit();
    // 0: to the previous field, 1: to the next one.
    void cursor_moved_valid_changed_ledit(int dir);

public slots:
    void btn_text_changed_func(QString text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void connect_text();
    void disconnect_text();
};

// Four octet fields separated by dots; get_resource gives the VISA TCP/IP resource of
// the address exactly as typed.
class ui_ipline_widget_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_ipline_widget_t(QWidget *parent = nullptr);

    void set_value(QList<int> &values);
    void set_value(QList<QString> &values);
    QString get_resource() const;

    const QList<ui_ip_ledit_t *> &fields() const { return m_ledits; }

public slots:
    void pressed_valid_changed_ledit_func();
    void cursor_moved_valid_changed_ledit_func(int dir);

private:
    // The first of fields first..last (inclusive) that has the keyboard focus, or -1.
    int focused_field(int first, int last) const;
    // Sets a field's text without running its own checks.
    void set_field_text(ui_ip_ledit_t *field, const QString &text);

    QFrame *m_main_widget;
    QList<ui_ip_ledit_t *> m_ledits;
    QList<QLabel *> m_dots;
    int m_section;
};
