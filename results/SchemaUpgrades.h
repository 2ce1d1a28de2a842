#pragma once
// The steps that raise an older results database to the current schema
// revision, one revision per step: a database file (SQLite) from any revision
// 6 up to 15, a server database (PostgreSQL) from 13 up to 15; the repair of
// a revision-10 file that still carries the demonstration flag under its old
// name; and the reset of the NOISE test type's axis text.
//
// Every step works on the connection handed in, which must be open and stays
// open (the caller closes it, as after any other database work). A step runs
// whole or not at all: its statements and the new revision number go in one
// transaction, so that a step that fails leaves the database exactly as it
// was, rows and revision included. A step shows its progress window for as
// long as it runs, sets its bar to fixed values between its statements, and
// logs "Database upgrade to Rev <n>" ("SQL Database upgrade to Rev <n>" on a
// server) when it is done, or why it failed. A step that the observer asks
// to stop (at a turn of the message loop) is rolled back likewise, and no
// further step begins.

#include "platform/DbConnection.h"
#include "results/ResultsSchema.h"
#include "results/UpkeepObserver.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace results {

class SchemaUpgrades {
public:
    // The oldest revisions that the steps raise.
    static constexpr int OldestLocalRevision = 6;
    static constexpr int OldestServerRevision = 13;

    SchemaUpgrades(platform::DbConnection& connection, SchemaUpgradeObserver& observer);

    // The step of a database file from revision-1 to revision (7..15). False
    // when it failed (logged, nothing changed).
    bool upgradeLocalTo(int revision);
    // Every step from revision (6..14) up to 15, each only when the one before
    // succeeded. True when the file reached 15.
    bool upgradeLocalFrom(int revision);
    // The step of a server database from revision-1 to revision (14 or 15).
    bool upgradeServerTo(int revision);

    // A revision-10 file whose demonstration flag is still the column
    // VadovMode gets it as DemoMode, values kept. True when the file needs
    // no repair or was repaired; false when the repair failed (logged,
    // nothing changed). No window shows when there is nothing to repair.
    bool repairLegacyDemoModeColumn();

    // Whether the table has the column; false too when the statement cannot
    // run (a closed connection, a missing table).
    bool columnExists(const QString& table, const QString& column);

    // Sets the axis text of the NOISE test type (TypeID 5) back to
    // "Amplitude (uVpp)". A failure is logged and changes nothing.
    void fixNoiseTypeUnits();

private:
    // Runs a step: the window, the start value of the bar (none when below
    // 0), the statements, the revision, the end value 100 when finalHundred.
    bool runStep(int revision, bool server, int startValue, bool finalHundred, const std::function<void()>& body);
    // For the steps that turn the message loop: the bar's value, then a turn.
    void progressAndTurn(int value);
    // A turn of the message loop; the step stops (rolled back) when the
    // observer asks it to.
    void turn();

    void execute(const QString& sql, const QList<platform::DbParameter>& params = {});
    // A statement over every row of a table of a database file, run a range
    // of rows at a time with a turn of the message loop between two ranges;
    // "%1" in sql stands for the range's condition.
    void executeInRanges(const QString& table, const QString& sql);
    // The column as the current schema defines it.
    static ResultsSchema::Column current(const QString& table, const QString& column);
    void addColumns(const QString& table, const QList<ResultsSchema::Column>& columns);
    void addCurrentColumns(const QString& table, const QStringList& columns);
    void createCurrentTable(const QString& table);
    // Gives columns new types (SQLite: a rebuild of the table).
    void changeColumnTypes(const QString& table, const QList<ResultsSchema::Column>& columns);
    void insertTestType(const QString& values);
    void numberGroups();

    void toRev7();
    void toRev8();
    void toRev9();
    void toRev10();
    void toRev11();
    void toRev12();
    void toRev13();
    void toRev14();
    void serverToRev14();
    void serverToRev15();

    platform::DbConnection& m_connection;
    SchemaUpgradeObserver& m_observer;
};

} // namespace results
