#include "EditorFixture.h"
#include "testlists/StationTestLists.h"
#include "ui/editors/BiasTestDialog.h"

#include <QComboBox>

namespace {

class BiasTestParametersFormTest : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        for (const char* line : {"ACZ,A1-P2,1", "DCO,A1-B1,2"}) {
            auto step = std::make_shared<testlists::TestStep>();
            step->initByString(line);
            testLists.active.append(step);
        }
    }
    QStringList activeLines() const
    {
        QStringList out;
        for (const auto& step : testLists.active)
            out << step->testString();
        return out;
    }
};

TEST_F(BiasTestParametersFormTest, OkReplacesTheListWithOneBiasStepAndStartsTheRun)
{
    const struct {
        int timeIndex;
        int intervalIndex;
        const char* line;
        qint64 seconds;
    } cases[] = {
        {-1, -1, "BIAS,8/30,1", 28800}, // the preselected entries
        {164, 59, "BIAS,165/60,1", 594000},
    };
    for (const auto& c : cases) {
        mainForm.calls.clear();
        ui::BiasTestDialog form(mainForm);
        EXPECT_EQ(form.windowTitle(), "BIAS Test Parameters");
        auto* time = child<QComboBox>(&form, "TestTimeComboBox");
        auto* interval = child<QComboBox>(&form, "SamplingIntervalComboBox");
        EXPECT_FALSE(time->isEditable());
        EXPECT_EQ(time->count(), 165);
        EXPECT_EQ(interval->count(), 60);
        EXPECT_EQ(time->currentText(), "8");
        EXPECT_EQ(interval->currentText(), "30");
        if (c.timeIndex >= 0) {
            time->setCurrentIndex(c.timeIndex);
            interval->setCurrentIndex(c.intervalIndex);
        }
        click(&form, "cmdOk");

        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(activeLines(), QStringList{c.line});
        EXPECT_EQ(testLists.active[0]->electrodeString(), "A1-P2");
        EXPECT_EQ(testLists.active[0]->singleTestDuration(settings.zamo80Delays, settings.pace), c.seconds);
        EXPECT_EQ(mainForm.calls,
                  (QStringList{"ClearTestList", "UpdateTestSequenceList", "StartFirstTestSequence(True)"}));
    }
}

TEST_F(BiasTestParametersFormTest, CancelChangesNothing)
{
    ui::BiasTestDialog form(mainForm);
    child<QComboBox>(&form, "TestTimeComboBox")->setCurrentIndex(0);
    click(&form, "cmdCancel");
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(activeLines(), (QStringList{"ACZ,A1-P2,1", "DCO,A1-B1,2"}));
    EXPECT_TRUE(mainForm.calls.isEmpty());
}

} // namespace
