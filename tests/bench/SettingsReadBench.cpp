// Start-up's reads of settings.ini: the fill-in pass, the section readers,
// the limits and the default selection, about a hundred reads with their log
// lines, on a settings.ini of the usual size and on one of 50 MB (a section
// of a million lines among the station's own). Each run starts as a new
// program does, with nothing of the file kept.

#include "config/LimitsFile.h"
#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/IniFile.h"
#include "support/InstalledLog.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

void readSettingsAsStartUpDoes(config::StationSettings& settings)
{
    const QString& file = settings.paths.settingsFile;
    config::buildDefaultIni(file);
    config::readSectionsBeforeDatabase(file, settings);
    settings.limits = config::readLimits(file);
    testlists::StationTestLists testLists;
    testLists.loadDefaultElectrodes(file);
    settings.keepAlive = config::readKeepAliveSettings(file);
}

// A complete settings.ini, grown to the size given by a section of notes
// placed before the limits.
class SettingsFile {
public:
    explicit SettingsFile(qint64 megabytes)
    {
        settings.paths.placeInDataFolder();
        log.start();
        readSettingsAsStartUpDoes(settings); // writes every key that start-up wants
        QFile file(settings.paths.settingsFile);
        file.open(QIODevice::ReadOnly);
        QByteArray text = file.readAll();
        file.close();
        QByteArray notes = "[Notes]\r\n";
        for (qint64 i = 0; notes.size() < megabytes * 1024 * 1024; ++i)
            notes += "Note" + QByteArray::number(i) + "=checked by the second shift, bench 4, no remarks\r\n";
        const qsizetype limits = text.indexOf("[Limits]\r\nDCO=100\r\n");
        text.replace(limits, 19, "[Limits]\r\nDCO=55\r\n"); // a value of its own, to see it read
        text.insert(limits, notes);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
        file.close();
        // A file changed this very moment is read again at every read; a
        // station's settings.ini was written before it starts.
        QThread::msleep(1100);
    }
    config::StationSettings settings;

private:
    testsupport::TempDataHome home;
    testsupport::InstalledLog log;
};

void BM_StartUpSettingsReads(benchmark::State& state)
{
    SettingsFile file(state.range(0));
    for (auto _ : state) {
        platform::IniFile::forgetAll();
        readSettingsAsStartUpDoes(file.settings);
    }
    if (file.settings.limits.limitDco != 55)
        state.SkipWithError("the limits were not read from settings.ini");
    state.SetLabel(QString("%1 MB settings.ini").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_StartUpSettingsReads)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
