#include "support/ScratchDatabase.h"

namespace testsupport {

ScratchDatabase::ScratchDatabase(platform::DbBackend backend) : m_backend(backend)
{
    if (backend == platform::DbBackend::SQLite)
        m_path = m_dir.path() + QStringLiteral("/ZAMO_Results.mdb");
    else
        m_server = std::make_unique<PgTestDatabase>();
}

std::unique_ptr<platform::DbConnection> ScratchDatabase::connect()
{
    auto connection = std::make_unique<platform::DbConnection>();
    if (m_server)
        connection->openServer(m_server->address());
    else if (!m_created) {
        connection->createFile(m_path);
        m_created = true;
    } else
        connection->openFile(m_path, false);
    return connection;
}

} // namespace testsupport
