#include "platform/Clock.h"

#include "platform/ProgramEnd.h"
#include "platform/Timer.h"
#include "platform/TimerScheduler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace platform {

namespace {

bool s_virtual = false;
qint64 s_ticks = 0; // virtual tick count, ms
QDateTime s_base;   // virtual local time at tick 0

QElapsedTimer& realTicks()
{
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t;
}

void runPostedEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents();
}

// Fires the timer due first at or before limit; false when none is due.
bool fireNextDue(qint64 limit)
{
    Timer* t = TimerScheduler::nextDue(limit);
    if (!t)
        return false;
    if (t->dueAt() > s_ticks)
        s_ticks = t->dueAt();
    t->fireFromScheduler();
    runPostedEvents();
    return true;
}

} // namespace

QDateTime Clock::now()
{
    if (s_virtual)
        return s_base.addMSecs(s_ticks);
    return QDateTime::currentDateTime();
}

qint64 Clock::msecsSinceEpoch()
{
    return s_virtual ? now().toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

QDateTime Clock::nowUtc()
{
    return now().toUTC();
}

qint64 Clock::tickCount()
{
    return s_virtual ? s_ticks : realTicks().elapsed();
}

qint64 Clock::realTickCount()
{
    return realTicks().elapsed();
}

double Clock::secondsSinceMidnight()
{
    const QTime t = now().time();
    return t.msecsSinceStartOfDay() / 1000.0;
}

void Clock::sleep(qint64 ms)
{
    if (ms <= 0)
        return;
    if (s_virtual) {
        s_ticks += ms;
        return;
    }
    QThread::msleep(static_cast<unsigned long>(ms));
}

void Clock::wait(qint64 ms)
{
    if (s_virtual) {
        advance(ms);
        return;
    }
    if (!QCoreApplication::instance()) {
        sleep(ms);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(qMax<qint64>(ms, 0)), &loop, &QEventLoop::quit);
    loop.exec();
}

bool Clock::waitUntil(const std::function<bool()>& done, qint64 maxMs)
{
    if (s_virtual) {
        const qint64 deadline = s_ticks + maxMs;
        while (!done()) {
            if (s_ticks >= deadline)
                return done();
            if (!fireNextDue(deadline)) {
                s_ticks = deadline;
                runPostedEvents();
                return done();
            }
        }
        return true;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    if (!QCoreApplication::instance()) {
        while (!done() && elapsed.elapsed() < maxMs)
            QThread::msleep(1);
        return done();
    }
    QEventLoop loop;
    QTimer wake;
    wake.setInterval(5);
    QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
    wake.start();
    while (!done() && elapsed.elapsed() < maxMs) {
        // Once the program's end has told the loops to exit, a loop returns
        // at once without running anything: the events (the wake among
        // them) are then run here, so that the wait still waits.
        if (ProgramEnd::requested())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        else
            loop.exec();
    }
    return done();
}

void Clock::useVirtualTime(const QDateTime& localStart)
{
    s_virtual = true;
    s_ticks = 0;
    s_base = localStart;
}

void Clock::useRealTime()
{
    s_virtual = false;
}

bool Clock::isVirtual()
{
    return s_virtual;
}

void Clock::advance(qint64 ms)
{
    if (!s_virtual) {
        wait(ms);
        return;
    }
    const qint64 target = s_ticks + qMax<qint64>(ms, 0);
    while (fireNextDue(target)) {
    }
    if (s_ticks < target)
        s_ticks = target;
    runPostedEvents();
}

void Clock::setNow(const QDateTime& local)
{
    s_base = local.addMSecs(-s_ticks);
}

} // namespace platform
