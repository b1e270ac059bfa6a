#pragma once
#include <QTimer>

// Periodic timer with its interval in seconds. It has no Qt parent: its creator deletes it.
class ui_timer_t : public QTimer
{
    Q_OBJECT
public:
    explicit ui_timer_t(QObject *parent = nullptr);

    void set_interval_s(double seconds);
    void start_timer();
    void stop_timer();
};
