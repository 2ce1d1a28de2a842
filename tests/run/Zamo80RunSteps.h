#pragma once
// The steps of a ZAMO80-mode run for a fixture of a run (one deriving from
// RunBasics): the lines of a list, a pace step beside an ACZ step, and a
// start past the open-circuit pre-check.

#include "testlists/TestList.h"
#include "testlists/TestStep.h"

#include <QStringList>

#include <memory>

template <typename Fixture>
class Zamo80RunSteps : public Fixture {
protected:
    // "<type> <electrodes>" of each step of the list.
    static QStringList shown(const testlists::TestList& list)
    {
        QStringList lines;
        for (const auto& step : list)
            lines << step->testType() + ' ' + step->electrodeString();
        return lines;
    }
    // The operator's list: a pace step of the minutes given, then ACZ, on the electrodes.
    void paceList(const QString& electrodes, int minutes, bool rollPrompt = false, bool concurrent = false)
    {
        this->testLists.applyElectrodeString(electrodes);
        auto pace = std::make_shared<testlists::TestStep>();
        pace->initByParams("PACE1", 1, electrodes, 0, 0, rollPrompt, qint16(minutes), concurrent);
        this->testLists.active.append(pace);
        this->addStep("ACZ");
    }
    // Starts the run and passes the pre-check with no open circuit.
    void startPastThePreCheck()
    {
        this->runSequencer().startFirstTestSequence(true);
        this->finishIteration();
        this->tick();
    }
};
