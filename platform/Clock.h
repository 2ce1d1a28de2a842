#pragma once
// The one clock of the programs. Everything that asks for the time of day,
// a tick count or waits goes through here, so that tests can run the whole
// station in virtual time: the test sets the clock and advances it, and the
// station's timers (platform::Timer) fire in order as virtual time passes.
// Nothing here fails; in real time advance() is a plain wait() and setNow()
// changes nothing.

#include <QDateTime>

#include <functional>

namespace platform {

class Clock {
public:
    // Local date and time ("Now").
    static QDateTime now();
    // UTC date and time ("GetSystemTime").
    static QDateTime nowUtc();
    // The same moment as now(), as milliseconds since 1970-01-01 00:00 UTC:
    // without the look-up of the local time zone that now() makes.
    static qint64 msecsSinceEpoch();
    // Milliseconds since an arbitrary start, never going back ("GetTickCount").
    static qint64 tickCount();
    // Milliseconds of real time since an arbitrary start, also in virtual
    // time: how long a call that runs no event loop has held the thread,
    // which virtual time does not see pass.
    static qint64 realTickCount();
    // Seconds since local midnight, with fractions ("Timer").
    static double secondsSinceMidnight();

    // Blocks the thread for ms milliseconds without running any event
    // ("Sleep"). In virtual time the clock moves on and no timer fires.
    static void sleep(qint64 ms);

    // Runs the event loop for ms milliseconds, so that timers and events run
    // meanwhile. In virtual time the timers due inside the span fire in order.
    static void wait(qint64 ms);

    // Runs the event loop until done() is true or maxMs have passed; returns
    // done(). Events and timers run meanwhile also once the program's end
    // has told the loops to exit. In virtual time it steps from one due
    // timer to the next.
    static bool waitUntil(const std::function<bool()>& done, qint64 maxMs);

    // --- virtual time, for tests and the offscreen harness ---
    static void useVirtualTime(const QDateTime& localStart);
    static void useRealTime();
    static bool isVirtual();
    // Moves virtual time forward by ms, firing every timer that falls due.
    static void advance(qint64 ms);
    // Sets the virtual date and time of day without firing timers.
    static void setNow(const QDateTime& local);
};

} // namespace platform
