#pragma once
// The keep-alive poll between runs: every half second, while a unit is
// connected, each connected unit gets a communication check and the
// database a revision read, so that neither link idles out. It rests during
// a run and while a unit's polling is inhibited. A failed check is the
// unit link's or the database's to report.

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

private:
    bool pollingInhibited() const;

    RunSequencer& m_sequencer;
    platform::Timer m_timer;
};

} // namespace run
