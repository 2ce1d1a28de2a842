#include "platform/ScriptedPrompts.h"
#include "ui/common/CloseGuard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

TEST(HelpersTest, logValue)
{
    EXPECT_DOUBLE_EQ(ui::logValue(1), 0);
    EXPECT_DOUBLE_EQ(ui::logValue(std::exp(1.0)), 1);
    EXPECT_THROW(ui::logValue(0), std::invalid_argument);
    EXPECT_THROW(ui::logValue(-1), std::invalid_argument);
}

TEST(HelpersTest, DisableCloseMenuRefusesTheOperatorsCloseOnly)
{
    QWidget window;
    window.show();
    ASSERT_TRUE(ui::disableCloseMenu(&window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);

    QCloseEvent fromOperator;
    QSpontaneKeyEvent::setSpontaneous(&fromOperator);
    QCoreApplication::sendEvent(&window, &fromOperator);
    EXPECT_TRUE(window.isVisible());

    EXPECT_TRUE(window.close()); // the program itself may still close it
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(ui::disableCloseMenu(nullptr));
}

TEST(HelpersTest, BrowseForFolderAsksThroughThePromptSeam)
{
    auto* prompts = platform::ScriptedPrompts::installNew();
    prompts->fileAnswers = {"/srv/reports"};
    EXPECT_EQ(ui::browseForFolder(), "/srv/reports");
    EXPECT_EQ(ui::browseForFolder(), ""); // cancelled
    ASSERT_EQ(prompts->shown.size(), 2);
    EXPECT_EQ(prompts->shown[0].text, "Select a Folder");
}

} // namespace
