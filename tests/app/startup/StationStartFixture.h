#pragma once
// Whole starts of the station (app::main, as main() calls it) over a
// temporary data folder in virtual time, with scripted prompts. Every start
// begins from what a new process would have: no database connection, no
// windows, no request to end, no standard lists.

#include "app/Station.h"
#include "app/StationStartUp.h"
#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "platform/Timer.h"
#include "results/ResultsDatabase.h"
#include "support/QtPrinters.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/StatusWindow.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

class StationStartFixture : public ::testing::Test {
protected:
    static inline const QStringList TemplateFiles = {"ElectrodeTestReport.rpt",
                                                     "CondensedElectrodeTestReport.rpt",
                                                     "Zamo80CondensedElectrodeTestReport.rpt",
                                                     "sqlElectrodeTestReport.rpt",
                                                     "sqlCondensedElectrodeTestReport.rpt",
                                                     "sqlZamo80CondensedElectrodeTestReport.rpt"};

    static QByteArray readAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    testsupport::TempDataHome home;
    // What the station shares; the settings of the latest start.
    app::Station station;
    config::StationSettings& settings = station.settings;
    platform::ScriptedPrompts* prompts = nullptr;
    QString folder;

    void SetUp() override
    {
        endProgram();
        prompts = platform::ScriptedPrompts::installNew();
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 1), QTime(9, 0, 0)));
        folder = home.stationFolder();
    }
    void TearDown() override
    {
        endProgram();
        platform::Clock::useRealTime();
        station.log.setPath(QString());
    }

    // One start of the station, a minute after the last.
    bool start()
    {
        endProgram();
        platform::Clock::advance(60000);
        settings = config::StationSettings(); // a new program reads its settings anew
        return app::main(station);
    }

    // What a start leaves in the process goes, as it would with the program.
    void endProgram()
    {
        station.database.closeDatabase();
        station.database.setConnectionObserver(nullptr);
        station.windows.destroyAll();
        platform::ProgramEnd::withdraw();
        station.testLists.standard.clear();
        station.testLists.standard80.clear();
    }

    QStringList logMessages() const
    {
        QStringList messages;
        for (const QString& line : QString::fromLatin1(readAll(station.log.path())).split("\r\n", Qt::SkipEmptyParts))
            messages << line.mid(22); // after "yyyy-mm-dd hh:mm:ss - "
        return messages;
    }
    // A table of the test's own in the database file, to tell it from a new one.
    void markDatabase() const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "marker");
            db.setDatabaseName(folder + "/ZAMO_Results.mdb");
            ASSERT_TRUE(db.open());
            QSqlQuery(db).exec("CREATE TABLE TestMarker (Id INTEGER)");
            db.close();
        }
        QSqlDatabase::removeDatabase("marker");
    }
    bool databaseIsMarked() const
    {
        bool marked = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "marker");
            db.setDatabaseName(folder + "/ZAMO_Results.mdb");
            marked = db.open() && db.tables().contains("TestMarker");
            db.close();
        }
        QSqlDatabase::removeDatabase("marker");
        return marked;
    }
    static QStringList sectionsOf(const QByteArray& ini)
    {
        QStringList sections;
        for (const auto& m : QRegularExpression(R"(^\[(.*)\]\r$)", QRegularExpression::MultilineOption)
                                 .globalMatch(QString::fromUtf8(ini)))
            sections << m.captured(1);
        return sections;
    }
};
