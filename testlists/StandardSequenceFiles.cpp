#include "testlists/StandardSequenceFiles.h"

#include "config/Log.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/SequenceFile.h"
#include "testlists/StandardSequences.h"
#include "testlists/StationTestLists.h"

#include <QFile>

namespace modMain {

void BuildDefaultSequenceFiles(const config::StationPaths& paths, const config::PaceSettings& pace)
{
    // A file that cannot be written or read leaves its list empty; the
    // sequence file routines log why.
    const QString standard = paths.standardSequenceFile;
    if (!QFile::exists(standard)) {
        const QString electrodes = BuildElectrodeString(true);
        modFileFormats::WriteSequenceFile(standard, modFileFormats::StandardSequenceSteps(electrodes), false, false);
    }
    modFileFormats::ReadSequenceFile(standard, Globals::StandardTestList, false, false);

    const QString standard80 = paths.standard80SequenceFile;
    if (!QFile::exists(standard80)) {
        WriteLog(QStringLiteral("Build default TSQ file"));
        const QString electrodes = BuildElectrodeString(true);
        modFileFormats::WriteSequenceFile(
            standard80, modFileFormats::Standard80SequenceSteps(electrodes, pace.paceDuration), true, false);
    }
    modFileFormats::ReadSequenceFile(standard80, Globals::Standard80TestList, true, false);
}

} // namespace modMain
