#include "EditorFixture.h"
#include "ui/editors/EditorWindows.h"
#include "ui/shell/StationWindows.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace {

class DefinitionWindowsTest : public EditorFixture {
protected:
    void TearDown() override
    {
        ui::StationWindows::destroyAll();
        EditorFixture::TearDown();
    }
    // Runs the opener; the modal window it shows is noted and cancelled.
    static QString openAndCancel(const std::function<void()>& opener)
    {
        QString title;
        QTimer::singleShot(0, [&title] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                dialog->reject();
            }
        });
        opener();
        return title;
    }
};

TEST_F(DefinitionWindowsTest, TheFrameOpensTheEditorsForTheMainTestWindow)
{
    ui::DefinitionWindows::installOpeners();
    const ui::StationWindows::Openers& openers = ui::StationWindows::windowOpeners();
    ASSERT_TRUE(openers.testSequenceEditor);
    ASSERT_TRUE(openers.limitsEditor);
    openers.limitsEditor(); // no main test window yet: nothing opens

    ui::StationWindows::setMainFormFactory([this] { return &mainForm; });
    EXPECT_EQ(openAndCancel(openers.testSequenceEditor), "Test Sequence Editor");
    EXPECT_EQ(openAndCancel(openers.limitsEditor), "Set Limits");
    EXPECT_EQ(openAndCancel([this] { ui::DefinitionWindows::showBiasTestParameters(mainForm); }),
              "BIAS Test Parameters");
}

} // namespace
