#pragma once
// A window timer as the station uses them: an interval in milliseconds and an
// Enabled switch; an interval of 0 never fires. Setting the interval of a
// running timer starts its count again. In real time it runs on a QTimer, in
// virtual time on the clock's scheduler (platform::Clock::advance).

#include <QObject>
#include <QTimer>

namespace platform {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    ~Timer() override;

    void setInterval(int ms);
    int interval() const { return m_interval; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }

    // Scheduler side (virtual time): when the timer is next due, in ticks.
    qint64 dueAt() const { return m_dueAt; }
    bool isArmed() const { return m_armed; }
    void fireFromScheduler();

signals:
    void timeout();

private:
    void rearm();
    void disarm();

    int m_interval = 0;
    bool m_enabled = false;
    bool m_armed = false;
    qint64 m_dueAt = 0;
    quint64 m_order = 0;
    QTimer m_qtimer;
    friend class TimerScheduler;
};

} // namespace platform
