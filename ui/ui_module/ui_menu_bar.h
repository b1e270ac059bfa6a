#pragma once
#include <QList>
#include <QStringList>
#include <QWidget>

class QPushButton;

// The row of function buttons under a control-panel channel page.
class ui_menu_bar_t : public QWidget
{
    Q_OBJECT
public:
    ui_menu_bar_t(QWidget *parent, int width, int height);

    void add_menu_item(const QString &name);
    // Creates one button per name collected so far.
    void create_menu_buttons();
    const QList<QPushButton *> &buttons() const { return m_buttons; }

private:
    int m_height;
    QStringList m_names;
    QList<QPushButton *> m_buttons;
};
