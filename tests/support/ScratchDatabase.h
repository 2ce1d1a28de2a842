#pragma once
// An empty database of its own on one back end, for the life of the object:
// a new SQLite file in a temporary folder, or a new database on the
// PostgreSQL test server (which a test must first ask for with
// ZAMO_REQUIRE_PG_TEST_SERVER).

#include "platform/DbConnection.h"
#include "support/PgTestDatabase.h"

#include <QTemporaryDir>

#include <memory>

namespace testsupport {

class ScratchDatabase {
public:
    explicit ScratchDatabase(platform::DbBackend backend);

    // A new open connection to the database (the first one creates the file).
    std::unique_ptr<platform::DbConnection> connect();
    // The SQLite file ("" on a server).
    QString path() const { return m_path; }

private:
    platform::DbBackend m_backend;
    QTemporaryDir m_dir;
    QString m_path;
    bool m_created = false;
    std::unique_ptr<PgTestDatabase> m_server;
};

} // namespace testsupport
