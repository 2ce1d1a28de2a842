#include "RunRecordingFixture.h"

#include "config/Settings.h"
#include "testlists/StationTestLists.h"

void RunRecordingTest::SetUp()
{
    WriterTest::SetUp();
    unit1.Plug(16);
    unit2.Plug(16);
    unit1.electrodes = unitWith(1, {0, 1, 2});
    unit2.electrodes = unitWith(2, {0});
    state.details.lotNumber = "LOT-1";
    state.details.notes = "notes";
    state.details.electrodeLotNumbers.fill("LOT-1");
    state.reportOptions = ReportOptions();
    Globals::DiagnosticsEnabled = false;
}

void RunRecordingTest::TearDown()
{
    Globals::ActiveTestList.clear();
    WriterTest::TearDown();
}

std::shared_ptr<clsTestSequence> RunRecordingTest::step(const QString& line, qint32 parentID)
{
    auto s = std::make_shared<clsTestSequence>();
    EXPECT_TRUE(s->InitByString(line)) << line.toStdString();
    s->setParentID(parentID);
    return s;
}
