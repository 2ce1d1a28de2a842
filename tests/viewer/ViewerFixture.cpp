#include "ViewerFixture.h"

#include "platform/DbError.h"

#include <QFile>

using platform::DbBackend;

void PrintTo(const ViewerCase& c, std::ostream* os)
{
    *os << (c.backend == platform::DbBackend::SQLite ? "file" : "server") << " revision " << c.revision;
}

std::string viewerCaseName(const ::testing::TestParamInfo<ViewerCase>& info)
{
    return (info.param.backend == platform::DbBackend::SQLite ? "File_Rev" : "Server_Rev")
           + std::to_string(info.param.revision);
}

std::vector<ViewerCase> everyViewerCase()
{
    std::vector<ViewerCase> cases;
    for (int revision = 4; revision <= 15; ++revision)
        cases.push_back({platform::DbBackend::SQLite, revision});
    for (int revision = 13; revision <= 15; ++revision)
        cases.push_back({platform::DbBackend::PostgreSQL, revision});
    return cases;
}

OldDatabase::OldDatabase(platform::DbBackend backend, int revision, const testsupport::OldRevisionSeed& seed,
                         bool legacyDemoColumn)
    : m_backend(backend), m_revision(revision)
{
    platform::DbConnection db;
    if (local()) {
        m_path = m_dir.path() + QStringLiteral("/ZAMO_Results-20150601-120000.mdb");
        db.createFile(m_path);
    } else {
        m_server = std::make_unique<testsupport::PgTestDatabase>();
        db.openServer(m_server->address());
    }
    testsupport::buildOldRevisionDatabase(db, revision, seed, legacyDemoColumn);
    if (seed.groups >= 2)
        addReportRows(db);
}

void OldDatabase::addReportRows(platform::DbConnection& db) const
{
    const platform::DbDialect& d = db.dialect();
    const QString yes = d.booleanLiteral(true);
    const QString no = d.booleanLiteral(false);
    if (m_revision >= 6) {
        QString columns = QStringLiteral("GroupID, UnitNumber, \"10HzPeak\", Temperature, Vcc, \"5VPos\", \"5VNeg\", "
                                         "\"5VRWorking\", \"200vOnWorking\", \"200vOffWorking\", FirmwareVersion");
        QString values = QStringLiteral("1, 1, 0.125, 24.5, 4.98, 5.01, -4.99, %1, %1, %2, 'M2.1'").arg(yes, no);
        db.execute(QStringLiteral("INSERT INTO UnitMasterDiagnostics (%1) VALUES (%2)").arg(columns, values));
        if (m_revision >= 8)
            db.execute(QStringLiteral("INSERT INTO UnitMasterDiagnostics (%1, Zamo80LidClosed, Zamo8030kPeak) "
                                      "VALUES (1, 2, 0.25, 0, 4.97, 5.02, -5.0, %2, %3, %3, 'Z8.0', %2, 1.5)")
                           .arg(columns, yes, no));
    }
    if (m_revision >= 9) {
        // Group 2 stands for group 1's condensed ZAMO80 group, which has no start date.
        db.execute(QStringLiteral("UPDATE TestGroups SET Zamo80CondensedID = 2 WHERE GroupID = 1"));
        db.execute(
            QStringLiteral("UPDATE TestGroups SET DateExecuted = NULL, Zamo80CondensedID = 1 WHERE GroupID = 2"));
    }
    if (m_revision >= 11)
        db.execute(QStringLiteral("INSERT INTO Zamo24PaceProperties (GroupID, UnitNumber, A_PaceAmplitude, A_PaceRate, "
                                  "A_PacePulseWidth, A_PaceRoll) VALUES (1, 1, 5.5, 70, 2, 'Rolled')"));
}

viewer::ServerLogOn OldDatabase::logOn() const
{
    if (!m_server)
        return {};
    const platform::DbServerAddress a = m_server->address();
    return {a.host, a.port ? QString::number(a.port) : QString(), a.database, a.user, a.password};
}

std::unique_ptr<platform::DbConnection> OldDatabase::connect() const
{
    auto db = std::make_unique<platform::DbConnection>();
    if (local())
        db->openFile(m_path, false);
    else
        db->openServer(m_server->address());
    return db;
}

void OldDatabase::choose(viewer::ViewerDatabase& db) const
{
    if (local()) {
        db.chooseFile(m_path);
        return;
    }
    QString why;
    if (!db.connectServer(logOn(), &why))
        ADD_FAILURE() << "the viewer cannot reach the test server: " << why.toStdString();
}

QByteArray OldDatabase::bytes() const
{
    QFile file(m_path);
    return local() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ViewerCaseTest::SetUp()
{
    ZAMO_REQUIRE_BACKEND(GetParam().backend);
}

QList<qint32> ids(const viewer::ReportListView& view)
{
    QList<qint32> out;
    for (const results::ReportListRow& row : view.page.rows)
        out << row.uniqueGroupId;
    return out;
}
