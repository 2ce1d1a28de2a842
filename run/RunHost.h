#pragma once
// What the run sequencer needs of its window: the operator log, the progress
// display, the buttons a run locks, and the few window-side actions at the
// start and end of a run.

#include <QString>

#include <memory>

namespace run {

class PaceRollPrompt;

class RunHost {
public:
    virtual ~RunHost() = default;
    virtual void writeToCommTextBox(const QString& line, bool recordToLog, bool inhibitCommDisplay) = 0;
    // Progress bar: value and maximum (maximum <= 1 resets it); one step on.
    virtual void updateProgress(int value, int maximum) = 0;
    virtual void advanceProgress() = 0;
    virtual void setCompletionCaption(const QString& caption) = 0;
    // "Save as Defaults" and "Edit": disabled while a run is active.
    virtual void setRunLockedControls(bool running) = 0;
    // After a stopped ZAMO80 or ZAMO2-4 run.
    virtual void showDischargeWarning() = 0;
    virtual void playTestsCompletedSound() = 0;
    // The signal generator: roll the electrode's channel.
    virtual void rollChannel(qint16 channelIndex) = 0;
    // Shows the roll prompt in a window of its own, without waiting.
    virtual void showPaceRollPrompt(std::shared_ptr<PaceRollPrompt> prompt) = 0;
};

} // namespace run
