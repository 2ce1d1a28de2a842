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
        StationWindows::DestroyAll();
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
    DefinitionWindows::InstallOpeners();
    const StationWindows::Openers& openers = StationWindows::WindowOpeners();
    ASSERT_TRUE(openers.TestSequenceEditor);
    ASSERT_TRUE(openers.LimitsEditor);
    openers.LimitsEditor();   // no main test window yet: nothing opens

    StationWindows::SetMainFormFactory([this] { return &mainForm; });
    EXPECT_EQ(openAndCancel(openers.TestSequenceEditor), "Test Sequence Editor");
    EXPECT_EQ(openAndCancel(openers.LimitsEditor), "Set Limits");
    EXPECT_EQ(openAndCancel([this] { DefinitionWindows::ShowBiasTestParameters(mainForm); }),
              "BIAS Test Parameters");
}

} // namespace
