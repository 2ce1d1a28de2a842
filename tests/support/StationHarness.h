#pragma once
// The whole station offscreen in virtual time: a fresh data folder, the
// start-up sequence with its local database, the main frame and the main
// test window on its two unit links, and scripted prompts. The test moves
// the clock; every timer of the station and of the links (poll cycles,
// waits, the simulated units' clocks, the run's timers) fires as virtual
// time passes, so a run of many simulated minutes takes seconds.
//
// In real time (StationHarness::RealTime) the station runs as the program
// does: the same start-up as app/station_main.cpp, the real clock, and whatever
// converter driver is installed (the Linux one unless a test put another
// in), so that units on pseudo-terminals (UnitEmulator) answer it as real
// units would. The test then acts as an operator: menu items and buttons by
// their visible texts, electrode boxes by their names.
//
// Header only: each test program that uses it links the station's libraries.

#include "app/Station.h"
#include "app/StationAssembly.h"
#include "app/StationStartUp.h"
#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "support/ModalWindows.h"
#include "support/TempDataHome.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"
#include "ui/common/StatusLamp.h"
#include "ui/editors/EditorWindows.h"
#include "ui/reportlists/ReportListOpeners.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestDetailsDialog.h"
#include "ui/testwindow/TestWindow.h"
#include "unit/UnitLink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>

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
        prepare(commandLine);
    }

    // The station started again on the data folder that another one used,
    // with the files that it left there (settings, results, note of open
    // groups), as after the program was ended and started again.
    StationHarness(std::shared_ptr<TempDataHome> home, const QDateTime& start) : m_home(std::move(home))
    {
        platform::Clock::useVirtualTime(start);
        prepare(QString());
    }
    // The data folder, for a station started again on it.
    std::shared_ptr<TempDataHome> home() const { return m_home; }

    struct RealTime {};
    explicit StationHarness(RealTime, const QString& commandLine = QStringLiteral(""))
    {
        platform::Clock::useRealTime();
        prepare(commandLine);
    }
    // In real time, started again on the data folder that another one used.
    StationHarness(RealTime, std::shared_ptr<TempDataHome> home) : m_home(std::move(home))
    {
        platform::Clock::useRealTime();
        prepare(QString());
    }

    ~StationHarness()
    {
        m_station.database.closeDatabase();
        m_station.windows.destroyAll();
        platform::ProgramEnd::withdraw();
        platform::CommandLine::replaceText(QString());
        platform::Clock::useRealTime();
        m_station.log.setPath(QString());
    }

    // Runs the station's start-up as app/station_main.cpp does; false when it
    // ended the program.
    bool start()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::DefinitionWindows::installOpeners(m_station.windows);
        ui::installReportListOpeners(m_station.windows, m_station.settings, m_station.database);
        if (!app::main(m_station))
            return false;
        for (int n = 1; n <= 2; ++n) {
            QObject::connect(&link(n), &unit::UnitLink::txData, &testWindow(),
                             [this, n](int, const QString& frame) { m_sent[std::size_t(n - 1)] << frame; });
        }
        return true;
    }

    ui::TestWindow& testWindow() { return *static_cast<ui::TestWindow*>(windows().testWindow()); }
    ui::MainFrame& frame() { return *windows().frame(); }
    // The station's windows.
    ui::StationWindows& windows() const { return m_windows; }
    unit::UnitLink& link(int n)
    {
        return *testWindow().findChild<unit::UnitLink*>(QStringLiteral("ctlZAMOUsbComm_%1").arg(n));
    }
    platform::ScriptedPrompts& prompts() { return *m_prompts; }
    // What the station shares: its settings, as start-up read them, its
    // database connection and its test lists.
    app::Station& station() { return m_station; }
    // The station's settings, as start-up read them.
    config::StationSettings& stationSettings() { return m_settings; }
    const config::StationSettings& stationSettings() const { return m_settings; }
    QString dataFolder() const { return m_home->stationFolder(); }

    // Every frame the unit link sent to unit n (since the last forgetSent).
    const QStringList& sent(int n) const { return m_sent[std::size_t(n - 1)]; }
    void forgetSent()
    {
        for (QStringList& frames : m_sent)
            frames.clear();
    }

    void advance(qint64 ms) { platform::Clock::advance(ms); }

    // Advances in steps until done() holds; false when maxMs passed first.
    bool runUntil(const std::function<bool()>& done, qint64 maxMs, qint64 stepMs = 100)
    {
        for (qint64 t = 0; t <= maxMs; t += stepMs) {
            if (done())
                return true;
            advance(stepMs);
        }
        return done();
    }

    // Runs the station until done() holds, in virtual or real time; false
    // when maxMs passed first.
    bool waitUntil(const std::function<bool()>& done, qint64 maxMs)
    {
        return platform::Clock::isVirtual() ? runUntil(done, maxMs) : platform::Clock::waitUntil(done, maxMs);
    }

    // ---- the operator's view ----

    // The menu item of the main frame with this visible text, or nullptr.
    QAction* menuItem(const QString& text)
    {
        std::function<QAction*(const QList<QAction*>&)> find = [&](const QList<QAction*>& actions) -> QAction* {
            for (QAction* a : actions) {
                if (a->text().remove(QLatin1Char('&')) == text)
                    return a;
                if (a->menu())
                    if (QAction* inner = find(a->menu()->actions()))
                        return inner;
            }
            return nullptr;
        };
        return find(frame().menuBar()->actions());
    }
    // Chooses the menu item; false when it is missing, hidden or greyed out.
    bool choose(const QString& text)
    {
        QAction* item = menuItem(text);
        if (!item || !item->isVisible() || !item->isEnabled())
            return false;
        item->trigger();
        return true;
    }
    // The first button or check box of the main test window with this text.
    QAbstractButton* button(const QString& text)
    {
        for (QAbstractButton* b : testWindow().findChildren<QAbstractButton*>())
            if (b->text().remove(QLatin1Char('&')) == text)
                return b;
        return nullptr;
    }
    // Clicks the button; false when it is missing or greyed out.
    bool click(const QString& text)
    {
        QAbstractButton* b = button(text);
        if (!b || !b->isEnabled())
            return false;
        b->click();
        return true;
    }
    // The "Connect" toggle on the display of unit link n.
    QAbstractButton* unitConnectToggle(int n)
    {
        for (QWidget* w : testWindow().findChildren<QWidget*>())
            if (w->accessibleName() == QStringLiteral("Unit #%1").arg(n))
                for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                    if (b->text() == QLatin1String("Connect"))
                        return b;
        return nullptr;
    }
    // The names of the ticked electrode boxes, "A1" to "P2" in order.
    QStringList tickedElectrodes()
    {
        QStringList names;
        for (QCheckBox* box : testWindow().electrodePanel().electrodeBoxes())
            if (box->isChecked())
                names << box->accessibleName();
        return names;
    }
    // The main test window's status text of unit n, and its lamp.
    QString unitStatus(int n) { return testWindow().statusPanel().unitLabels()[std::size_t(n)]->text(); }
    QColor unitLamp(int n) { return testWindow().statusPanel().unitLamps()[std::size_t(n)]->fillColor(); }

    QString setting(const QString& section, const QString& key) const
    {
        return config::iniRead(section, key, m_home->stationFolder() + "/settings.ini");
    }
    // Writes a key of settings.ini; before Start the file is created with
    // it, and start-up fills in the rest.
    void setSetting(const QString& section, const QString& key, const QString& value)
    {
        QDir().mkpath(m_home->stationFolder());
        config::iniWrite(section, key, value, m_home->stationFolder() + "/settings.ini");
    }
    // Writes a file into the data folder (a standard list, say) before Start.
    void writeDataFile(const QString& name, const QByteArray& content)
    {
        QDir().mkpath(m_home->stationFolder());
        QFile file(m_home->stationFolder() + "/" + name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    // The verdicts in the results file, "A1 PASS" per judged electrode, by
    // unit, row and channel; those of the runs' own groups, not the copies
    // in the condensed groups of ZAMO80 runs.
    QStringList storedVerdicts() const
    {
        platform::DbConnection db;
        db.openFile(m_settings.paths.databaseFile, true);
        QStringList verdicts;
        for (platform::DbRecordset rows =
                 db.execute(QStringLiteral("SELECT u.UnitNumber AS UnitNumber, r.* FROM TestResults r JOIN TestUnit u "
                                           "ON r.TestUnitID = u.TestUnitID JOIN Tests t ON t.TestID = u.TestID "
                                           "JOIN TestGroups g ON g.GroupID = t.GroupID "
                                           "WHERE g.DateExecuted IS NOT NULL ORDER BY u.UnitNumber, r.ResultID"));
             !rows.eof(); rows.moveNext()) {
            const QString unit = rows.value(QStringLiteral("UnitNumber")).toString();
            for (char c = 'A'; c <= 'P'; ++c) {
                const QString code = rows.value(QString(QLatin1Char(c)) + QStringLiteral("_Result")).toString();
                if (!code.isEmpty())
                    verdicts << QString(QLatin1Char(c)) + unit + QLatin1Char(' ') + code;
            }
        }
        return verdicts;
    }
    // The number of test groups in the results file.
    int storedGroups() const
    {
        platform::DbConnection db;
        db.openFile(m_settings.paths.databaseFile, true);
        return db.execute(QStringLiteral("SELECT COUNT(*) FROM TestGroups")).value(0).toInt();
    }

    // The frame's "Connect Unit n Simulator" with the model and channel
    // count chosen on the main test window.
    void connectSimulatedUnit(int n, int channels, bool zamo80 = false, bool zamo24 = false)
    {
        ui::TestWindow& form = testWindow();
        form.statusPanel().zamo80Button()->setChecked(zamo80);
        form.statusPanel().zamo24Button()->setChecked(zamo24);
        form.statusPanel().simulatorChannelsEdit()->setText(QString::number(channels));
        frame().connectSimulatorActions[n]->setEnabled(true);
        frame().connectSimulatorActions[n]->trigger();
    }

    static void whenModal(std::function<void(QWidget*)> action) { testsupport::whenModal(std::move(action)); }

    // The pre-test details window that the next run opens is answered with
    // "Start Test", the lot and the notes given.
    static void startNextRunWithLot(const QString& lot, const QString& notes = QString())
    {
        whenModal([lot, notes](QWidget* modal) {
            if (auto* details = qobject_cast<ui::TestDetailsDialog*>(modal)) {
                details->lotNumberEdit->setText(lot);
                details->notesEdit->setPlainText(notes);
                details->startTestButton->click();
            }
        });
    }

    // Selects the electrodes on the main test window and makes the steps
    // (each a .tsq line such as "ACZ,A1-B1,1") its test list.
    void useTestList(const QString& electrodes, const QStringList& steps)
    {
        testlists::StationTestLists& lists = m_station.testLists;
        lists.applyElectrodeString(electrodes);
        testWindow().applyElectrodeSelection();
        lists.active.clear();
        for (const QString& line : steps) {
            auto step = std::make_shared<testlists::TestStep>();
            step->initByString(line);
            lists.active.append(step);
        }
        testWindow().updateTestSequenceList();
    }

    // Starts the station, connects a simulated base unit of two channels
    // from the menu and, once the run button is offered, makes the steps on
    // the electrodes its test list (as useTestList); false when the start
    // or the connection failed.
    bool startWithSimulatedList(const QString& electrodes, const QStringList& steps)
    {
        if (!start())
            return false;
        connectSimulatedUnit(1, 2);
        if (!runUntil([this] { return testWindow().testListPanel().runButton()->isEnabled(); }, 20000))
            return false;
        useTestList(electrodes, steps);
        return true;
    }

    // Starts the test list with the Run button, answers the pre-test
    // details with the lot, and waits for the run's end; false when it did
    // not start or did not end within maxMs of virtual time.
    bool runTestList(const QString& lot, qint64 maxMs = 120000)
    {
        startNextRunWithLot(lot);
        testWindow().testListPanel().runButton()->click();
        return testWindow().testRunning() && runUntil([this] { return !testWindow().testRunning(); }, maxMs);
    }

    QString logText() const
    {
        QFile file(m_station.log.path());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

private:
    void prepare(const QString& commandLine)
    {
        platform::CommandLine::replaceText(commandLine);
        platform::ProgramEnd::withdraw();
        m_prompts = platform::ScriptedPrompts::installNew();
        app::ExecutionWindows::installMainForm(m_station);
    }

    std::shared_ptr<TempDataHome> m_home = std::make_shared<TempDataHome>();
    app::Station m_station;
    config::StationSettings& m_settings = m_station.settings;
    ui::StationWindows& m_windows = m_station.windows;
    platform::ScriptedPrompts* m_prompts = nullptr;
    std::array<QStringList, 2> m_sent;
};

} // namespace testsupport
