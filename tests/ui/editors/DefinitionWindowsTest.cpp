#include "EditorFixture.h"
#include "results/ResultsDatabase.h"
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
        windows.destroyAll();
        EditorFixture::TearDown();
    }
    results::ResultsDatabase database{settings};
    ui::StationWindows windows{settings, database};
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
    ui::DefinitionWindows::installOpeners(windows);
    const ui::StationWindows::Openers& openers = windows.windowOpeners();
    ASSERT_TRUE(openers.testSequenceEditor);
    ASSERT_TRUE(openers.limitsEditor);
    openers.limitsEditor(); // no main test window yet: nothing opens

    windows.setMainFormFactory([this] { return &mainForm; });
    EXPECT_EQ(openAndCancel(openers.testSequenceEditor), "Test Sequence Editor");
    EXPECT_EQ(openAndCancel(openers.limitsEditor), "Set Limits");
    EXPECT_EQ(openAndCancel([this] { ui::DefinitionWindows::showBiasTestParameters(windows, mainForm); }),
              "BIAS Test Parameters");
}

} // namespace
