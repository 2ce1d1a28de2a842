#pragma once
// The test window with a step running on two channels of unit 1, replies
// given to the window's own result handlers, and every reading, verdict and
// failure sound recorded.

#include "TestWindowFixture.h"
#include "platform/Sounds.h"
#include "run/UnitResultHandler.h"
#include "support/QtPrinters.h"

#include <QStringList>

#include <stdexcept>

class ResultRecorder : public RecordingRecorder {
public:
    QStringList readings;
    QStringList results;
    bool failResults = false; // a verdict that cannot be stored

    // "A1 61 1.500 61"; a pair adds "/ R2", an SDR reading "P<point>".
    void recordChannelMeasurement(run::UnitIndex unit, int channel, const QString& label, double value, bool sdr,
                                  int point, double value2, bool pair, bool, qint32 seconds) override
    {
        readings << QString("%1%2 %3 %4 %5")
                            .arg(QChar(char16_t(65 + channel)))
                            .arg(unit.number())
                            .arg(label)
                            .arg(value, 0, 'f', 3)
                            .arg(seconds)
                        + (pair ? QString(" / %1").arg(value2, 0, 'f', 3) : QString())
                        + (sdr ? QString(" P%1").arg(point) : QString());
    }
    void recordChannelResult(run::UnitIndex unit, int channel, const QString& result, bool) override
    {
        if (failResults)
            throw std::runtime_error("results table locked");
        results << QString("%1%2 %3").arg(QChar(char16_t(65 + channel))).arg(unit.number()).arg(result);
    }
};

class ResultFixture : public TestWindowFixture {
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
        testlists::Globals::ActiveTestList.clear();
        form->state().lists.running = {addStep(type)};
        form->sequencer().startTest(form->state().lists.running.first(), false, false, false, false);
        ASSERT_TRUE(form->testRunning());
        form->state().startPhase = false;
        form->operatorLog().clear();
        results->readings.clear();
        results->results.clear();
        failureSounds = 0;
    }

    // A final ACZ reply; good raw words unless said otherwise.
    void ACZ(qint16 channel, double value, qint16 measureHigh = 0, qint16 zero = 100, bool zamo80 = false,
             qint16 vcc = 100, bool completed = true)
    {
        handlers().handle(
            {1, channel, unit::AczReading{zero, 500, measureHigh, 300, vcc, completed, 1.0, value, 5.0, zamo80}});
    }
    void ACZ30(qint16 channel, double value, qint16 measureHigh = 0, bool completed = true)
    {
        handlers().handle({1, channel, unit::Acz30Reading{100, 500, measureHigh, 300, 7, completed, 1.0, value, true}});
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
