#pragma once
// The pre-test details window and its lot windows on two recording units,
// with a settings file of their own and scripted prompts.

#include "config/StationSettings.h"
#include "platform/ScriptedPrompts.h"
#include "run/RecordingUnit.h"
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

    // Runs action on the next modal window that opens (from a timer, while
    // the window's own event loop runs).
    static void whenModal(std::function<void(QWidget*)> action)
    {
        auto* poll = new QTimer();
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, action] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                action(modal);
            }
        });
        poll->start();
    }

    testsupport::TempDataHome home;
    config::StationSettings settings;
    platform::ScriptedPrompts* prompts = nullptr;
    RecordingUnit unit1;
    RecordingUnit unit2;
    ui::ActiveLotWindow lotWindow;
    ui::TestDetailsDialog details{settings, {&unit1, &unit2}, &lotWindow};
};
