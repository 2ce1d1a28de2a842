#pragma once
// The test window with a step running on two channels of unit 1, replies
// given to the window's own result handlers, and every reading, verdict and
// failure sound recorded.

#include "TestWindowFixture.h"
#include "platform/Sounds.h"
#include "run/UnitResultHandler.h"
#include "support/QtPrinters.h"

#include <QStringList>

class ResultFixture : public TestWindowFixture, public AczReplies<ResultFixture> {
    friend class AczReplies<ResultFixture>;

protected:
    void SetUp() override
    {
        TestWindowFixture::SetUp();
        auto recorderPtr = std::make_unique<ResultRecorder>();
        results = recorderPtr.get();
        form->services().recorder = std::move(recorderPtr);
        platform::installSoundPlayer([this](int id) {
            if (id == platform::FailureSoundId)
                ++failureSounds;
        });
    }

    void TearDown() override
    {
        platform::installSoundPlayer({});
        TestWindowFixture::TearDown();
    }

    // A one-step list of the type on A1 and B1 of unit 1, started and past
    // its start phase; a step already running is stopped first.
    void startStep(const QString& type, bool zamo80 = false)
    {
        if (form->testRunning())
            form->stopTests();
        unit1.plug(2, zamo80);
        unit1.commands.clear();
        testLists.active.clear();
        form->state().lists.running = {addStep(type)};
        form->sequencer().startTest(form->state().lists.running.first(), false, false, false, false);
        ASSERT_TRUE(form->testRunning());
        form->state().startPhase = false;
        form->operatorLog().clear();
        results->readings.clear();
        results->results.clear();
        failureSounds = 0;
    }

    // Operator lines since the step started.
    QStringList logLines() const
    {
        QStringList lines = form->operatorLog().text().split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines;
    }

    bool electrodeActive(qint16 index) const { return form->state().activeTest->isElectrodeTestActive(index); }

    ResultRecorder* results = nullptr;
    // The window's own result handlers.
    run::UnitResultHandler& handlers() { return *form->services().results; }

    int failureSounds = 0;
};
