#pragma once
// What a database upkeep job (a schema step, the backup, the archive) tells
// the one who runs it: the value of the progress bar that shows it at work,
// the turns of the message loop it grants while it works (so that the
// windows repaint), and the lines of the station's log. The jobs run on the
// user-interface thread; nothing here is called from elsewhere.

#include <QString>

namespace results {

class UpkeepObserver {
public:
    virtual ~UpkeepObserver() = default;
    // The progress bar's value, 0..100.
    virtual void progress(int value) = 0;
    // One turn of the message loop. The connection the job works on must
    // stay open meanwhile.
    virtual void letEventsRun() = 0;
    virtual void log(const QString& line) = 0;
    // Asked after each turn: true when the job is to stop there (the program
    // is being ended). A schema step then rolls back, a copy is removed.
    virtual bool stopAsked() { return false; }
};

// A schema step also shows its own progress window for as long as it runs
// (modeless), and takes it down at its end, whether it succeeded or not.
class SchemaUpgradeObserver : public UpkeepObserver {
public:
    virtual void windowShown() = 0;
    virtual void windowClosed() = 0;
};

} // namespace results
