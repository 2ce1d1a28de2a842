#pragma once
// One post-pace roll prompt: a pace step has ended on an electrode of a
// ZAMO2-4 and the operator is asked to roll its pads. The prompt counts
// down from its start value once a second; its end ("Roll Complete",
// "Continue, No Roll", or the countdown reaching 0, which counts as no
// roll) records the pads' state once, marks the electrode complete in its
// step and, for a step of the pace list, ends its pace. Without a roll the
// electrode leaves every uncompleted step of the run, unless [PACE]
// Zamo24ContinueWithoutRoll keeps it in them. The window that shows it
// (ui) only passes the operator's answers and the seconds on.
//
// An end after the first does nothing, and so does an end after the run
// has stopped (the prompt's step is no longer in the run). A countdown that starts at 0 or
// below goes on below 0 and waits for a button.

#include "run/UnitIndex.h"
#include "testlists/TestStep.h"

#include <QString>

#include <memory>

namespace config {
struct PaceSettings;
}

namespace run {

struct RunServices;
struct RunState;

class PaceRollPrompt {
public:
    // The run's state and services and the pace settings outlive the
    // prompt. channel 0..15 of the unit; secondary: a step of the
    // pace list; duration: the pace time in whole seconds; paceSeconds:
    // the pace time of the last pace step started, in seconds.
    PaceRollPrompt(RunState& state, RunServices& services, const config::PaceSettings& pace,
                   std::shared_ptr<testlists::TestStep> step, qint16 channel, UnitIndex unit, bool secondary,
                   qint32 duration, qint32 paceSeconds);

    // "<type> on Channel <letter><unit> has completed."
    QString text() const;
    int secondsLeft() const { return m_secondsLeft; }
    bool ended() const { return m_ended; }

    // One second of the countdown; at 0 the prompt ends without a roll.
    void tick();
    void rollComplete() { end(true); }
    void continueWithoutRoll() { end(false); }

    // Zamo24PaceRollAckDelay while it is below the pace time of the last
    // pace step started (paceSeconds), else half that time (whole seconds).
    static int countdownStart(const config::PaceSettings& pace, qint32 paceSeconds);

private:
    void end(bool rolled);

    RunState& m_state;
    RunServices& m_services;
    const config::PaceSettings& m_pace;
    std::shared_ptr<testlists::TestStep> m_step;
    qint16 m_channel;
    UnitIndex m_unit;
    bool m_secondary;
    qint32 m_duration;
    int m_secondsLeft;
    bool m_ended = false;
};

} // namespace run
