#pragma once
// The editors' tests: a fresh data folder with settings.ini and the log,
// scripted prompts and a fake main test window.

#include "FakeTestWindow.h"
#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/ScriptedPrompts.h"
#include "support/InstalledLog.h"
#include "support/QtPrinters.h"
#include "support/TempDataHome.h"

#include <QAbstractButton>
#include <QFile>
#include <QWidget>

#include <gtest/gtest.h>

class EditorFixture : public ::testing::Test {
protected:
    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    platform::ScriptedPrompts* prompts = nullptr;
    FakeTestWindow mainForm;
    // The settings of the fake main window, which the editors change.
    config::StationSettings& settings = mainForm.settings;
    // Its test lists, which the editors read and change.
    testlists::StationTestLists& testLists = mainForm.lists;

    void SetUp() override
    {
        settings.paths.placeInDataFolder();
        stationLog.start();
        config::buildDefaultIni(settings.paths.settingsFile);
        prompts = platform::ScriptedPrompts::installNew();
    }
    void TearDown() override { stationLog.setPath(QString()); }

    static QByteArray readAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeAll(const QString& path, const QByteArray& content)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    QString dataFile(const QString& name) const { return home.stationFolder() + "/" + name; }

    template <typename T>
    static T* child(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* window, const char* button) { child<QAbstractButton>(window, button)->click(); }
};
