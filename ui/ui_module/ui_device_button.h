#pragma once
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

// A device's picture button with its name beneath; a click asks for that device's page.
class ui_device_button_t : public QWidget
{
    Q_OBJECT
public:
    ui_device_button_t(const QString &label, QWidget *parent);

    QPushButton *picture_button() const { return m_button; }
    QLabel *name_label() const { return m_label; }
    QString device() const { return m_device; }

signals:
    void selected(QString device);

public slots:
    void deal_clicked_event();

private:
    QPushButton *m_button;
    QLabel *m_label;
    // The full name: a resource name too long for the label is shown shortened.
    QString m_device;
};
