#pragma once
// A station data folder in a temporary XDG_DATA_HOME, with its settings.ini
// path set and the log started, for the tests of the settings routines.

#include "config/StationSettings.h"
#include "support/InstalledLog.h"
#include "support/QtPrinters.h"
#include "support/TempDataHome.h"

#include <QFile>

#include <gtest/gtest.h>

class SettingsFixture : public ::testing::Test {
protected:
    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    // The station's settings at their defaults, with the paths under the
    // temporary data folder.
    config::StationSettings settings;

    void SetUp() override
    {
        settings.paths.placeInDataFolder();
        stationLog.start();
    }
    void TearDown() override { stationLog.setPath(QString()); }

    const QString& ini() const { return settings.paths.settingsFile; }

    void putIni(const QByteArray& content)
    {
        QFile f(ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    static QByteArray readAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray iniText() const { return readAll(ini()); }
    QByteArray logText() const { return readAll(stationLog.path()); }
};
