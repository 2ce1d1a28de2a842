#pragma once
// Stands in for the progress window and the log of a database upkeep job:
// records what the job tells them, in order, as one list of events
// ("shown", "closed", "turn", each bar value as its number, "log: <line>").

#include "results/UpkeepObserver.h"

#include <QStringList>

#include <functional>

namespace testsupport {

class RecordingUpkeepObserver : public results::SchemaUpgradeObserver {
public:
    QStringList events;
    QList<int> values;
    QStringList logLines;
    int turns = 0;
    // Runs at each turn of the message loop.
    std::function<void()> whileEventsRun;
    // What the job hears when it asks whether to stop (set in whileEventsRun
    // to stop it at a turn).
    bool stop = false;

    void progress(int value) override
    {
        events << QString::number(value);
        values << value;
    }
    void letEventsRun() override
    {
        events << QStringLiteral("turn");
        ++turns;
        if (whileEventsRun)
            whileEventsRun();
    }
    void log(const QString& line) override
    {
        events << QStringLiteral("log: ") + line;
        logLines << line;
    }
    bool stopAsked() override { return stop; }
    void windowShown() override { events << QStringLiteral("shown"); }
    void windowClosed() override { events << QStringLiteral("closed"); }

    void clear()
    {
        events.clear();
        values.clear();
        logLines.clear();
        turns = 0;
    }
};

} // namespace testsupport
