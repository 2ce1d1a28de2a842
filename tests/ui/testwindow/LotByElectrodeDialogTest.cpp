#include "LotWindowsFixture.h"
#include "ui/testwindow/LotByElectrodeDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

class LotByElectrodeFormTest : public LotWindowsTest {
protected:
    void SetUp() override
    {
        LotWindowsTest::SetUp();
        unit1.plug(16);
        unit2.plug(16);
        details.load();
        window = std::make_unique<ui::LotByElectrodeDialog>(details);
        window->load();
    }
    void tick(std::initializer_list<int> boxes)
    {
        for (int i : boxes)
            window->electrodeChecks[std::size_t(i)]->setChecked(true);
    }
    void assign(std::initializer_list<int> boxes, const QString& lot)
    {
        tick(boxes);
        window->lotNumberEdit->setText(lot);
        window->addButton->click();
    }
    QCheckBox* box(int i) { return window->electrodeChecks[std::size_t(i)]; }

    std::unique_ptr<ui::LotByElectrodeDialog> window;
};

TEST_F(LotByElectrodeFormTest, TickedBoxesMakeTheCompactList)
{
    struct Case {
        QList<int> ticked;
        QString list;
    };
    QList<int> all;
    for (int i = 0; i < 32; ++i)
        all << i;
    for (const Case& c : {Case{{0, 1, 2, 4, 15, 16, 17}, "A1-C1.E1.P1-B2"}, Case{{31}, "P2"}, Case{all, "A1-P2"},
                          Case{{}, ""}, Case{{3, 5}, "D1.F1"}}) {
        window->uncheckAllButton->click();
        for (int i : c.ticked)
            box(i)->setChecked(true);
        EXPECT_EQ(window->buildCheckedElectrodeList(), c.list);
    }
}

// An electrode's lot takes no more than a group stores whole of it, and the
// lot text of 32 such lots fits the pre-test window's lot box whole.
TEST_F(LotByElectrodeFormTest, LotsAsLongAsIsStoredReachTheRunWhole)
{
    for (int i = 0; i < 32; ++i) {
        box(i)->setChecked(true);
        window->lotNumberEdit->insert(QString(60, QChar('a' + i % 26))); // as a paste
        EXPECT_EQ(window->lotNumberEdit->text().size(), 50);
        window->addButton->click();
    }
    window->okButton->click();
    details.startTestButton->click();
    ASSERT_TRUE(details.entered());
    EXPECT_EQ(details.entered()->electrodeLotNumbers[31], QString(50, QChar('a' + 31 % 26)));
    EXPECT_TRUE(details.entered()->lotNumber.endsWith("P2: " + QString(50, QChar('a' + 31 % 26))))
        << details.entered()->lotNumber.right(60).toStdString();
}

TEST_F(LotByElectrodeFormTest, AddNeedsElectrodesAndALot)
{
    window->lotNumberEdit->setText("L1");
    window->addButton->click();
    tick({0});
    window->lotNumberEdit->clear();
    window->addButton->click();
    EXPECT_EQ(prompts->messages(), QStringList(2, "Electrodes not selected, or Lot number not specified."));
    EXPECT_EQ(prompts->shown[0].title, "KIVO_ZAMO");
    EXPECT_EQ(window->lotGrid->rowCount(), 0);
    EXPECT_TRUE(box(0)->isChecked());
    EXPECT_TRUE(box(0)->isEnabled());
    EXPECT_EQ(window->lots()[0], "");
}

TEST_F(LotByElectrodeFormTest, AddAssignsTheLotAndCheckAllCanAssignAgain)
{
    assign({0, 1, 2}, "L1");
    EXPECT_EQ(window->lotGrid->rowCount(), 1);
    EXPECT_EQ(window->lotGrid->item(0, 1)->text(), "A1-C1");
    EXPECT_EQ(window->lotGrid->item(0, 2)->text(), "L1");
    EXPECT_FALSE(box(1)->isChecked());
    EXPECT_FALSE(box(1)->isEnabled());
    EXPECT_EQ(window->lots()[2], "L1");
    EXPECT_EQ(window->lotNumberEdit->text(), "");

    window->checkAllButton->click();
    EXPECT_TRUE(box(1)->isChecked());
    window->lotNumberEdit->setText("L2");
    window->addButton->click();
    EXPECT_EQ(window->lotGrid->rowCount(), 2);
    EXPECT_EQ(window->lotGrid->item(1, 1)->text(), "A1-P2");
    EXPECT_EQ(window->lots()[1], "L2");
}

TEST_F(LotByElectrodeFormTest, UnavailableElectrodesAreMasked)
{
    unit1.plug(4);
    unit2.isConnected = false;
    window->checkAllButton->click();
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(box(i)->isHidden(), i >= 4) << i;
    EXPECT_EQ(window->buildCheckedElectrodeList(), "A1-D1");

    unit1.isConnected = false;
    window->maskUnavailableElectrodes();
    for (int i = 0; i < 32; ++i)
        EXPECT_TRUE(box(i)->isHidden());
    window->maskUnavailableElectrodesCheck->click();
    for (int i = 0; i < 32; ++i)
        EXPECT_FALSE(box(i)->isHidden());
}

TEST_F(LotByElectrodeFormTest, OkWritesThePerElectrodeLotsBack)
{
    assign({0}, "Lot\tA");
    window->okButton->click();
    const QString text = details.lotNumberEdit->text();
    EXPECT_TRUE(text.startsWith("CUSTOM: A1: Lot A, B1: , C1: ")) << text.toStdString();
    EXPECT_TRUE(text.contains(", P1: , A2: , B2: "));
    EXPECT_TRUE(text.endsWith(", P2: "));
    EXPECT_EQ(text.count(", "), 31);
    EXPECT_FALSE(details.lotNumberEdit->isEnabled());
    EXPECT_EQ(details.electrodeLotList, QStringList{"\tA1\tLot\tA"});
    EXPECT_EQ(details.electrodeLots()[0], "Lot\tA");
}

TEST_F(LotByElectrodeFormTest, ReopeningRestoresTheAssignments)
{
    assign({0, 1, 2}, "X");
    assign({4}, "Y");
    assign({15, 16}, "Z");
    window->okButton->click();

    ui::LotByElectrodeDialog again(details);
    again.load();
    ASSERT_EQ(again.lotGrid->rowCount(), 3);
    EXPECT_EQ(again.lotGrid->item(2, 1)->text(), "P1-A2");
    for (int i : {0, 1, 2, 15, 16}) {
        EXPECT_TRUE(again.electrodeChecks[std::size_t(i)]->isChecked()) << i;
        EXPECT_FALSE(again.electrodeChecks[std::size_t(i)]->isEnabled()) << i;
    }
    EXPECT_FALSE(again.electrodeChecks[4]->isChecked());
    EXPECT_FALSE(again.electrodeChecks[4]->isEnabled());
    EXPECT_TRUE(again.electrodeChecks[3]->isEnabled());
    EXPECT_EQ(again.lots()[4], "Y");
    EXPECT_EQ(again.lots()[16], "Z");
    EXPECT_EQ(again.lots()[3], "");
}

TEST_F(LotByElectrodeFormTest, TheRunTakesThePerElectrodeLotsFromTheDetailsWindow)
{
    whenModal([](QWidget* w) {
        auto* lots = static_cast<ui::LotByElectrodeDialog*>(w);
        lots->electrodeChecks[0]->setChecked(true);
        lots->electrodeChecks[19]->setChecked(true);
        lots->lotNumberEdit->setText("K-1");
        lots->addButton->click();
        lots->okButton->click();
    });
    details.lotByElectrodeButton->click();
    details.startTestButton->click();
    ASSERT_TRUE(details.entered());
    EXPECT_EQ(details.entered()->lotNumber, details.lotNumberEdit->text().mid(8));
    EXPECT_EQ(details.entered()->electrodeLotNumbers[0], "K-1");
    EXPECT_EQ(details.entered()->electrodeLotNumbers[19], "K-1");
    EXPECT_EQ(details.entered()->electrodeLotNumbers[1], "");
    const QStringList lines = lotWindow.lotNumbersEdit->toPlainText().split("\n");
    EXPECT_EQ(lines[0].trimmed(), "A1 - K-1");
    EXPECT_EQ(lines[19].trimmed(), "D2 - K-1");

    // Clear makes the lot box editable again but keeps the rows for the next opening.
    details.clearButton->click();
    EXPECT_TRUE(details.lotNumberEdit->isEnabled());
    EXPECT_EQ(details.lotNumberEdit->text(), "");
    EXPECT_EQ(details.electrodeLotList.size(), 1);
}

} // namespace
