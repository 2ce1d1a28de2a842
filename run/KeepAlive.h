#pragma once
// The keep-alive poll between runs: every half second, while a unit is
// connected, each connected unit gets a communication check and the
// database a revision read, so that neither link idles out. It rests during
// a run and while a unit's polling is inhibited. A failed check is the
// unit link's or the database's to report. The revision read waits only
// briefly for another program's lock on the database, so that the window
// never stands still for it; a database found locked is checked again
// some polls later, and the log says when the lock is found and when gone.

#include "platform/Timer.h"

#include <QObject>

namespace run {

class RunSequencer;

class KeepAlive : public QObject {
public:
    // The sequencer (its units, run state and database) outlives the poll.
    explicit KeepAlive(RunSequencer& sequencer, QObject* parent = nullptr);

    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }
    bool active() const { return m_timer.isEnabled(); }
    // One poll, as the timer makes it.
    void poll();

    // The longest wait of the revision read for another program's lock,
    // and the polls passed over after it found one.
    static constexpr int LockWaitMilliseconds = 100;
    static constexpr int PollsAfterALock = 9;

private:
    bool pollingInhibited() const;
    void checkDatabase();

    RunSequencer& m_sequencer;
    platform::Timer m_timer;
    int m_pollsToPassOver = 0;
    bool m_lockLogged = false;
};

} // namespace run
