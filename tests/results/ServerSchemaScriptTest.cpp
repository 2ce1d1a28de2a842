// The schema script that ships for a server database: run through psql as an
// administrator runs it, it makes exactly the tables, columns, types,
// defaults, keys, indexes and fixed rows that the station's own schema code
// makes.

#include "platform/DbConnection.h"
#include "results/ResultsSchema.h"
#include "support/PgTestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QString Psql()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("psql"));
    if (!onPath.isEmpty())
        return onPath;
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& v : versions)
        if (QFileInfo::exists("/usr/lib/postgresql/" + v + "/bin/psql"))
            return "/usr/lib/postgresql/" + v + "/bin/psql";
    return {};
}

// What a database holds, as text: its catalogue and its rows.
QString dump(const platform::DbServerAddress& address)
{
    platform::DbConnection db;
    db.openServer(address);
    const char* const queries[] = {
        "SELECT table_name, ordinal_position, column_name, data_type, character_maximum_length, datetime_precision, "
        "is_nullable, column_default FROM information_schema.columns WHERE table_schema = 'public' "
        "ORDER BY table_name, ordinal_position",
        "SELECT tablename, indexname, indexdef FROM pg_indexes WHERE schemaname = 'public' ORDER BY tablename, "
        "indexname",
        "SELECT conrelid::regclass::text, conname, pg_get_constraintdef(oid) FROM pg_constraint "
        "WHERE connamespace = 'public'::regnamespace ORDER BY 1, 2",
        "SELECT sequencename, data_type::text, last_value FROM pg_sequences WHERE schemaname = 'public' ORDER BY 1",
        "SELECT * FROM TestTypes ORDER BY TypeID",
        "SELECT * FROM Globals ORDER BY ID",
        "SELECT * FROM Version ORDER BY ID",
    };
    QString dump;
    for (const char* sql : queries)
        dump += QString::fromLatin1(sql) + "\n" + db.execute(sql).getString("|", "\n", "<null>") + "\n";
    return dump;
}

TEST(ServerSchemaScript, MakesExactlyWhatTheStationsSchemaMakes)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    const QString psql = Psql();
    ASSERT_FALSE(psql.isEmpty()) << "psql is not installed";
    const QString script = QStringLiteral(ZAMO_SOURCE_DIR "/results/zamo_results_postgresql.sql");
    ASSERT_TRUE(QFileInfo::exists(script)) << script.toStdString();

    testsupport::PgTestDatabase byStation;
    {
        platform::DbConnection db;
        db.openServer(byStation.address());
        results::ResultsSchema::create(db, results::ResultsSchema::CurrentRevision);
    }
    testsupport::PgTestDatabase byScript;
    const platform::DbServerAddress a = byScript.address();
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PGPASSWORD", a.password);
    run.setProcessEnvironment(env);
    run.start(psql, {"-X", "-q", "-h", a.host, "-p", QString::number(a.port), "-U", a.user, "-d", a.database, "-v",
                     "ON_ERROR_STOP=1", "-f", script});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(run.readAllStandardError(), QByteArray()) << "no warning either";

    const QString expected = dump(byStation.address());
    EXPECT_EQ(dump(a).toStdString(), expected.toStdString());
    EXPECT_TRUE(expected.contains("testmeasurements|19|p_value|double precision|")) << "the dump reads the catalogue";
}

} // namespace
