#include "RunRecordingFixture.h"

#include "config/StationSettings.h"
#include "run/RunGlobals.h"
#include "testlists/StationTestLists.h"

void RunRecordingTest::SetUp()
{
    WriterTest::SetUp();
    unit1.Plug(16);
    unit2.Plug(16);
    unit1.electrodes = unitWith(1, {0, 1, 2});
    unit2.electrodes = unitWith(2, {0});
    Globals::ActiveLotNumber = "LOT-1";
    Globals::ActiveTestNotes = "notes";
    Globals::ElectrodeLotNumbers.fill("LOT-1");
    Globals::ShowShortCircuit = false;
    Globals::AverageACLG = false;
}

void RunRecordingTest::TearDown()
{
    Globals::ActiveTestList.clear();
    Globals::ExpandedTestList.clear();
    WriterTest::TearDown();
}

std::shared_ptr<clsTestSequence> RunRecordingTest::step(const QString& line, qint32 parentID)
{
    auto s = std::make_shared<clsTestSequence>();
    EXPECT_TRUE(s->InitByString(line)) << line.toStdString();
    s->setParentID(parentID);
    return s;
}
