#include "testlists/StandardSequenceFiles.h"

#include "config/Log.h"
#include "testlists/SequenceFile.h"
#include "testlists/StandardSequences.h"
#include "testlists/StationTestLists.h"

#include <QFile>

namespace testlists {

QStringList buildDefaultSequenceFiles(StationTestLists& lists, const config::StationPaths& paths,
                                      const config::PaceSettings& pace)
{
    QStringList messages;
    const auto read = [&messages](const QString& path, TestList& list, bool is80) {
        QList<SkippedLine> skipped;
        testlists::readSequenceFile(path, list, is80, false, &skipped);
        if (!skipped.isEmpty())
            messages << skippedLinesMessage(path, skipped);
    };
    // A file that cannot be written or read leaves its list empty; the
    // sequence file routines log why.
    const QString standard = paths.standardSequenceFile;
    if (!QFile::exists(standard)) {
        const QString electrodes = lists.buildElectrodeString(true);
        testlists::writeSequenceFile(standard, testlists::standardSequenceSteps(electrodes), false, false);
    }
    read(standard, lists.standard, false);

    const QString standard80 = paths.standard80SequenceFile;
    if (!QFile::exists(standard80)) {
        config::writeLog(QStringLiteral("Build default TSQ file"));
        const QString electrodes = lists.buildElectrodeString(true);
        testlists::writeSequenceFile(standard80, testlists::standard80SequenceSteps(electrodes, pace.paceDuration),
                                     true, false);
    }
    read(standard80, lists.standard80, true);
    return messages;
}

} // namespace testlists
