#pragma once
// Reports of a fixture test group: the templates written out of the
// program's resources into the test's data folder, and group 40001 (a
// number above the 16-bit range) of a base-model run with an ACZ and a DCO
// test on three electrodes of unit 1, one test hidden from reports, and the
// unit's diagnostics.

#include "platform/ScriptedPrompts.h"
#include "support/DatabaseBackendFixture.h"
#include "support/QtPrinters.h"

#include <QString>

class ReportTest : public DatabaseBackendTest {
protected:
    static constexpr qint32 kGroup = 40001;

    void SetUp() override;
    void TearDown() override;

    // Writes the templates anew, the full report with or without diagnostics.
    void extractTemplates(bool diagnostics);
    // Exports the fixture group's report into the data folder; "" when the
    // export reported a failure.
    QString exportReport(const QString& format, const QString& name, bool condensed = false, bool zamo80 = false,
                         qint32 group = kGroup);
    QString path(const QString& name) const { return home.stationFolder() + "/" + name; }

    static QString readText(const QString& path);
    static QString pdfText(const QString& path);

    std::unique_ptr<platform::DbConnection> db;
    platform::ScriptedPrompts* prompts = nullptr;
    qint64 groupID = 0;
};
