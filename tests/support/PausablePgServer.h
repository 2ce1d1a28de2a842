#pragma once
// A PostgreSQL server of one test's own (scripts/pg-test-server.sh: a fresh
// cluster on a free local port), which the test can stop at once and start
// again on the same port, as a server that goes away and comes back. The
// shared test server is never stopped: other tests use it meanwhile.
//
// started() is false where PostgreSQL is not installed, or the server would
// not start (why() says why); the destructor stops it and removes its cluster.

#include "platform/DbConnection.h"
#include "support/PgTestDatabase.h"

#include <QString>

namespace testsupport {

class PausablePgServer {
public:
    // script: the path of scripts/pg-test-server.sh.
    explicit PausablePgServer(const QString& script);
    ~PausablePgServer();
    PausablePgServer(const PausablePgServer&) = delete;
    PausablePgServer& operator=(const PausablePgServer&) = delete;

    bool started() const { return m_port > 0; }
    const QString& why() const { return m_why; }
    // The address of a database on it (the server's own "postgres" by default).
    platform::DbServerAddress address(const QString& database = QStringLiteral("postgres")) const;

    // Makes an empty database on it; its address.
    platform::DbServerAddress newDatabase(const QString& name);

    // Stops the server at once (open connections break); false when it would not.
    bool pause();
    // Starts it again; false when it would not.
    bool resume();

private:
    bool call(const QString& function, QString* output = nullptr);

    QString m_script;
    QString m_dir;
    QString m_bindir;
    int m_port = 0;
    QString m_password;
    QString m_why;
};

} // namespace testsupport

// In a test's body: skips the test with a message when the server did not
// start (PostgreSQL not installed), and fails it instead on CI.
#define ZAMO_REQUIRE_STARTED_PG_SERVER(server)                                                                         \
    do {                                                                                                               \
        if (!(server).started()) {                                                                                     \
            if (testsupport::PgTestDatabase::required())                                                               \
                FAIL() << (server).why().toStdString();                                                                \
            GTEST_SKIP() << "no PostgreSQL server of the test's own: " << (server).why().toStdString();                \
        }                                                                                                              \
    } while (0)
