#pragma once
// The whole station offscreen in virtual time: a fresh data folder, the
// start-up sequence with its local database, the main frame and the main
// test window on its two unit links, and scripted prompts. The test moves
// the clock; every timer of the station and of the links (poll cycles,
// waits, the simulated units' clocks, the run's timers) fires as virtual
// time passes, so a run of many simulated minutes takes seconds.
//
// Header only: each test program that uses it links the station's libraries.

#include "core/CommandLine.h"
#include "core/ElectrodeSelection.h"
#include "core/Globals.h"
#include "core/ParentMDIForm.h"
#include "core/ProgramEnd.h"
#include "core/StartUp.h"
#include "core/StationWindows.h"
#include "core/modMain.h"
#include "definitions/TestLists.h"
#include "execution/ExecutionWindows.h"
#include "execution/MainForm.h"
#include "execution/RunGlobals.h"
#include "execution/TestDetailsForm.h"
#include "link/ctlZAMOUsbComm.h"
#include "platform/Clock.h"
#include "platform/ScriptedPrompts.h"
#include "results/modDatabase.h"
#include "support/TempDataHome.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QObject>
#include <QRadioButton>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

namespace testsupport {

class StationHarness {
public:
    explicit StationHarness(const QDateTime& start = QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)),
                            const QString& commandLine = QStringLiteral(""))
    {
        platform::Clock::useVirtualTime(start);
        CommandLine::SetForTesting(commandLine);
        ProgramEnd::ResetForTesting();
        modDatabase::ConnectFailureReported = false;   // as at a program start
        m_prompts = platform::ScriptedPrompts::installNew();
        ExecutionWindows::InstallMainForm();
    }

    ~StationHarness()
    {
        modDatabase::CloseDatabase();
        modDatabase::SetConnectionObserver(nullptr);
        StationWindows::DestroyAll();
        ProgramEnd::ResetForTesting();
        CommandLine::SetForTesting(QString());
        platform::Clock::useRealTime();
        for (TestList* list : {&Globals::ActiveTestList, &Globals::RunningTestList, &Globals::ExpandedTestList,
                               &Globals::PaceTestList, &Globals::ConsecutiveTestList1, &Globals::ConsecutiveTestList2})
            list->clear();
        Globals::CommBuffer.clear();
        Globals::ShowVerbose = Globals::ShowRxBuffer = Globals::DiagnosticLog = Globals::CommPaused = false;
        modMain::LogFilePath.clear();
    }

    // Runs the station's start-up; false when it ended the program.
    bool Start()
    {
        if (!modMain::Main())
            return false;
        for (int n = 1; n <= 2; ++n) {
            QObject::connect(&Link(n), &ctlZAMOUsbComm::TXData, &Form(),
                             [this, n](int, const QString& frame) { m_sent[std::size_t(n - 1)] << frame; });
        }
        return true;
    }

    MainForm& Form() { return *static_cast<MainForm*>(StationWindows::MainForm()); }
    ParentMDIForm& Frame() { return *StationWindows::Frame(); }
    ctlZAMOUsbComm& Link(int n)
    {
        return *Form().findChild<ctlZAMOUsbComm*>(QStringLiteral("ctlZAMOUsbComm_%1").arg(n));
    }
    platform::ScriptedPrompts& Prompts() { return *m_prompts; }
    QString DataFolder() const { return m_home.stationFolder(); }

    // Every frame the unit link sent to unit n.
    const QStringList& Sent(int n) const { return m_sent[std::size_t(n - 1)]; }

    void Advance(qint64 ms) { platform::Clock::advance(ms); }

    // Advances in steps until done() holds; false when maxMs passed first.
    bool RunUntil(const std::function<bool()>& done, qint64 maxMs, qint64 stepMs = 100)
    {
        for (qint64 t = 0; t <= maxMs; t += stepMs) {
            if (done())
                return true;
            Advance(stepMs);
        }
        return done();
    }

    // The frame's "Connect Unit n Simulator" with the model and channel
    // count chosen on the main test window.
    void ConnectSimulatedUnit(int n, int channels, bool zamo80 = false, bool zamo24 = false)
    {
        MainForm& form = Form();
        form.optZamo80->setChecked(zamo80);
        form.optZamo24->setChecked(zamo24);
        form.txtSimChannels->setText(QString::number(channels));
        Frame().ZamoUnitsConnectSimulator[n]->setEnabled(true);
        Frame().ZamoUnitsConnectSimulator[n]->trigger();
    }

    // Runs action on the next modal window that opens, from a timer of its
    // own while the window's event loop runs (modal windows wait in real time).
    static void WhenModal(std::function<void(QWidget*)> action)
    {
        auto* poll = new QTimer();
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, action] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                action(modal);
            }
        });
        poll->start();
    }

    // The pre-test details window that the next run opens is answered with
    // "Start Test", the lot and the notes given.
    static void StartNextRunWithLot(const QString& lot, const QString& notes = QString())
    {
        WhenModal([lot, notes](QWidget* modal) {
            if (auto* details = qobject_cast<TestDetailsForm*>(modal)) {
                details->LotNumberTextBox->setText(lot);
                details->NotesTextBox->setPlainText(notes);
                details->cmdStartTest->click();
            }
        });
    }

    // Selects the electrodes on the main test window and makes the steps
    // (each a .tsq line such as "ACZ,A1-B1,1") its test list.
    void UseTestList(const QString& electrodes, const QStringList& steps)
    {
        modMain::ApplyElectrodeString(electrodes);
        Form().ApplyElectrodeSelection();
        Globals::ActiveTestList.clear();
        for (const QString& line : steps) {
            auto step = std::make_shared<clsTestSequence>();
            step->InitByString(line);
            Globals::ActiveTestList.append(step);
        }
        Form().UpdateTestSequenceList();
    }

    // Starts the test list with the Run button, answers the pre-test
    // details with the lot, and waits for the run's end; false when it did
    // not start or did not end within maxMs of virtual time.
    bool RunTestList(const QString& lot, qint64 maxMs = 120000)
    {
        StartNextRunWithLot(lot);
        Form().cmdRunTestList->click();
        return Form().pTestRunning() && RunUntil([this] { return !Form().pTestRunning(); }, maxMs);
    }

    QString LogText() const
    {
        QFile file(modMain::LogFilePath);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

private:
    TempDataHome m_home;
    platform::ScriptedPrompts* m_prompts = nullptr;
    std::array<QStringList, 2> m_sent;
};

} // namespace testsupport
