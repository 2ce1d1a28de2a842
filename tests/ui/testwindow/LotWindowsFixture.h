#pragma once
// The pre-test details window and its lot windows on two recording units,
// with a settings file of their own and scripted prompts.

#include "config/StationSettings.h"
#include "platform/ScriptedPrompts.h"
#include "run/RecordingUnit.h"
#include "support/ModalWindows.h"
#include "support/TempDataHome.h"
#include "ui/testwindow/ActiveLotWindow.h"
#include "ui/testwindow/TestDetailsDialog.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

class LotWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.paths.settingsFile = home.path() + "/settings.ini";
        settings.aclg.energyXJoules = 200;
        settings.aclg.energyXEnabled = true;
        prompts = platform::ScriptedPrompts::installNew();
    }

    static void whenModal(std::function<void(QWidget*)> action) { testsupport::whenModal(std::move(action)); }

    testsupport::TempDataHome home;
    config::StationSettings settings;
    platform::ScriptedPrompts* prompts = nullptr;
    RecordingUnit unit1;
    RecordingUnit unit2;
    ui::ActiveLotWindow lotWindow;
    ui::TestDetailsDialog details{settings, {&unit1, &unit2}, &lotWindow};
};
