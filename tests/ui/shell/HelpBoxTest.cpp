#include "platform/Timer.h"
#include "support/ShellFixture.h"
#include "ui/shell/HelpBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

namespace {

class HelpBoxTest : public ShellFixture {};

TEST_F(HelpBoxTest, ShowsTheVersionAndCopiesAContactForThreeSecondsAfterTheLastClick)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 3), QTime(10, 0, 0)));
    ui::HelpBox* help = windows.helpBox();
    EXPECT_EQ(help->windowTitle(), "Help");
    EXPECT_EQ(help->headerLabel->text(), "ZAMO 1.0.0");
    EXPECT_TRUE(help->copiedLabel->isHidden());

    help->copyLabel(help->emailLabel);
    EXPECT_FALSE(help->copiedLabel->isHidden());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), help->emailLabel->text());
    platform::Clock::advance(2000);
    QTest::mouseClick(help->phoneLabel, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), help->phoneLabel->text());
    platform::Clock::advance(2900);
    EXPECT_FALSE(help->copiedLabel->isHidden());
    platform::Clock::advance(100);
    EXPECT_TRUE(help->copiedLabel->isHidden());
    EXPECT_FALSE(help->clipboardTimer->isEnabled());
}

} // namespace
