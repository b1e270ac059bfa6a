#pragma once
#include "lib_types.h"

#include <QSplashScreen>

class QLabel;
class ui_timer_t;

// The start-up picture with a loading message whose dots count up once a second and
// the product version. A click does not hide it.
class ui_qsplashscreen_t : public QSplashScreen
{
    Q_OBJECT
public:
    explicit ui_qsplashscreen_t(const QPixmap &picture, Qt::WindowFlags flags = Qt::WindowFlags());
    ui_qsplashscreen_t(QWidget *parent, const QPixmap &picture, Qt::WindowFlags flags);
    ~ui_qsplashscreen_t() override;

    QString loading_text();
    QLabel *message_label() const { return m_msg_label; }
    QLabel *version_label() const { return m_version_label; }

public slots:
    void timer_refresh_slot_func();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void init_labels();

    QLabel *m_msg_label;
    QLabel *m_version_label;
    int32 m_dot_count;
    ui_timer_t *m_timer;
};
