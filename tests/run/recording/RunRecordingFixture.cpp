#include "RunRecordingFixture.h"

#include "config/StationSettings.h"
#include "platform/OleDate.h"

void RunRecordingTest::SetUp()
{
    WriterTest::SetUp();
    unit1.plug(16);
    unit2.plug(16);
    unit1.electrodes = channelRecords(unitWith(1, {0, 1, 2}));
    unit2.electrodes = channelRecords(unitWith(2, {0}));
    state.details.lotNumber = "LOT-1";
    state.details.notes = "notes";
    state.details.electrodeLotNumbers.fill("LOT-1");
    state.reportOptions = run::ReportOptions();
}

QVector<std::shared_ptr<unit::ChannelRecord>>
RunRecordingTest::channelRecords(const results::UnitElectrodes& electrodes)
{
    QVector<std::shared_ptr<unit::ChannelRecord>> records;
    for (const std::optional<results::ElectrodeIdentity>& identity : electrodes) {
        auto record = std::make_shared<unit::ChannelRecord>();
        if (identity) {
            record->setConnected(true);
            record->setSerialNumber(identity->serialNumber);
            record->setFirmwareVersion(identity->firmwareVersion);
            record->setCalibrationDate(platform::OleDate::fromDateTime(identity->calibrationDate));
        }
        records << record;
    }
    return records;
}

std::shared_ptr<testlists::TestStep> RunRecordingTest::step(const QString& line, qint32 parentID)
{
    auto s = std::make_shared<testlists::TestStep>();
    EXPECT_TRUE(s->initByString(line)) << line.toStdString();
    s->setParentID(parentID);
    return s;
}
