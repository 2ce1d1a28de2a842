#pragma once
// What the run sequencer needs of its window: the operator log, the progress
// display, the buttons a run locks, and the few window-side actions at the
// start and end of a run.

#include <QString>

class RunHost {
public:
    virtual ~RunHost() = default;
    virtual void WriteToCommTextBox(const QString& strValue, bool vRecordToLog, bool vInhibitCommDisplay) = 0;
    // Progress bar: value and maximum (maximum <= 1 resets it); one step on.
    virtual void UpdateProgress(int vValue, int vMaximum) = 0;
    virtual void AdvanceProgress() = 0;
    virtual void SetCompletionCaption(const QString& caption) = 0;
    // "Save as Defaults" and "Edit": disabled while a run is active.
    virtual void SetRunLockedControls(bool vRunning) = 0;
    // After a stopped ZAMO80 or ZAMO2-4 run.
    virtual void ShowDischargeWarning() = 0;
    virtual void PlayTestsCompletedSound() = 0;
    // The signal generator: roll the electrode's channel.
    virtual void RollChannel(qint16 vChannelIndex) = 0;
};
