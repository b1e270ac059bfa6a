#pragma once
#include <QLabel>

// Label of dialog contents ("normal_label").
class ui_coustom_label_t : public QLabel
{
    Q_OBJECT
public:
    explicit ui_coustom_label_t(QWidget *parent = nullptr,
                                Qt::WindowFlags flags = Qt::WindowFlags());
    ui_coustom_label_t(const QString &text, QWidget *parent = nullptr,
                       Qt::WindowFlags flags = Qt::WindowFlags());
};
