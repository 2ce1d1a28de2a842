#pragma once
// Writes the rows of a test group straight into a results database, the way
// the station's run records lay them out, for tests and benchmarks of what
// reads them.

#include "platform/DbConnection.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

namespace testsupport {

class FixtureGroupWriter {
public:
    explicit FixtureGroupWriter(platform::DbConnection& db) : m_db(db) {}

    struct Group {
        qint32 uniqueGroupID = 1;
        QString lot;
        QString notes;
        QDateTime executed;
        QDateTime completed; // invalid: not completed
        bool zamo80 = false;
        bool cancelled = false;
    };
    // Returns the GroupID.
    qint64 group(const Group& g);
    void linkCondensed(qint64 sourceGroupID, qint32 sourceUniqueGroupID, qint64 condensedGroupID);
    // Serial numbers "S<letter><unit>", firmware "F1.2", lot "L-<letter>".
    void electrodes(qint64 groupID, int unit, const QString& letters, const QDateTime& calibrated);
    // One diagnostics reading with the columns of a base unit, or of a
    // ZAMO80 or ZAMO2-4, as the station stores them.
    void diagnostics(qint64 groupID, int unit, bool zamo80Columns = false);
    void paceProperties(qint64 groupID, int unit, QChar letter, double amplitude, const QString& roll);
    // Returns the TestID.
    qint64 test(qint64 groupID, const QString& typeName, const QDateTime& start, qint64 parentTestID = 0,
                bool showOnReport = true);
    qint64 testUnit(qint64 testID, int unit, int iteration);
    void measurement(qint64 testUnitID, const QString& interval, int seconds, const QMap<QChar, double>& values);
    void results(qint64 testUnitID, const QMap<QChar, QString>& verdicts);

private:
    qint64 insert(const QString& sql, const QList<platform::DbParameter>& params);
    void insertRow(const QString& table, const QStringList& columns, const QList<platform::DbParameter>& params);

    platform::DbConnection& m_db;
};

} // namespace testsupport
