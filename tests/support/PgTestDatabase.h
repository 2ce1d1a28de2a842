#pragma once
// A database of its own on the private PostgreSQL test server that
// scripts/test.sh starts (its address in the ZAMO_TEST_PG* variables):
// created empty by the constructor, dropped by the destructor.
//
// Without the server the tests that need it skip, with a message saying so;
// on CI (CI=true) they fail instead, so that they cannot go quietly missing.

#include "platform/DbConnection.h"

#include <QString>

namespace testsupport {

class PgTestDatabase {
public:
    PgTestDatabase();
    ~PgTestDatabase();
    PgTestDatabase(const PgTestDatabase&) = delete;
    PgTestDatabase& operator=(const PgTestDatabase&) = delete;

    // Whether the test server is configured, and if not, why.
    static bool serverConfigured(QString* why = nullptr);
    // True on CI, where a missing server is a failure and not a skip.
    static bool required();

    // The address of this test's database.
    platform::DbServerAddress address() const;
    QString name() const { return m_name; }

private:
    static platform::DbServerAddress serverAddress(const QString& database);
    void runOnServer(const QString& sql);

    QString m_name;
};

} // namespace testsupport

// In a test's set-up or body: skips the test with a message when the test
// server is not configured, and fails it instead on CI.
#define ZAMO_REQUIRE_PG_TEST_SERVER()                                                                                  \
    do {                                                                                                               \
        QString zamoPgWhy;                                                                                             \
        if (!testsupport::PgTestDatabase::serverConfigured(&zamoPgWhy)) {                                              \
            if (testsupport::PgTestDatabase::required())                                                               \
                FAIL() << "CI=true and " << zamoPgWhy.toStdString();                                                   \
            GTEST_SKIP() << "PostgreSQL tests skipped: " << zamoPgWhy.toStdString();                                   \
        }                                                                                                              \
    } while (0)
