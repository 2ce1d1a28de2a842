#pragma once
// The run of RunFixture with a step running on two channels of unit 1,
// replies given to the sequencer's own result handlers, and every reading,
// verdict, operator line and failure sound recorded.

#include "platform/Clock.h"
#include "platform/Sounds.h"
#include "run/AclgSums.h"
#include "run/RunDoubles.h"
#include "run/RunFixture.h"
#include "run/UnitResultHandler.h"
#include "support/QtPrinters.h"

#include <QStringList>

class ResultFixture : public RunFixture, public AczReplies<ResultFixture> {
    friend class AczReplies<ResultFixture>;

protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        results = install<ResultRecorder>(sequencer->services().recorder);
        recorder = results;
        platform::installSoundPlayer([this](int id) {
            if (id == platform::FailureSoundId)
                ++failureSounds;
        });
    }

    void TearDown() override
    {
        platform::installSoundPlayer({});
        RunFixture::TearDown();
    }

    // A one-step list of the type on A1 and B1 of unit 1, started and past
    // its start phase, the operator log and the records cleared; a step
    // already running is stopped first.
    void startStep(const QString& type, bool zamo80 = false)
    {
        if (testRunning())
            sequencer->stopTests();
        unit1.plug(2, zamo80);
        unit1.commands.clear();
        testLists.active.clear();
        const auto step = addStep(type);
        state().lists.running = {step};
        sequencer->startTest(step, false, false, false, false);
        ASSERT_TRUE(testRunning());
        state().startPhase = false;
        host.log.clear();
        results->readings.clear();
        results->results.clear();
        failureSounds = 0;
    }

    bool electrodeActive(qint16 index) const { return sequencer->state().activeTest->isElectrodeTestActive(index); }

    // The sequencer's own result handlers and ACLG sums.
    run::UnitResultHandler& handlers() { return *sequencer->services().results; }
    run::AclgSums& aclgSums() { return sequencer->aclgSums(); }

    ResultRecorder* results = nullptr;
    int failureSounds = 0;
};
