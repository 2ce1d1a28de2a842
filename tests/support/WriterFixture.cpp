#include "support/WriterFixture.h"

#include "platform/OleDate.h"

modDatabase::ElectrodeArray WriterTest::unitWith(int unit, std::initializer_list<int> connectedChannels)
{
    modDatabase::ElectrodeArray electrodes;
    for (int i = 0; i < 16; ++i)
        electrodes << std::make_shared<clsElectrode>();
    for (int channel : connectedChannels) {
        clsElectrode& e = *electrodes[channel];
        e.setConnected(true);
        e.setSerialNumber(QStringLiteral("SN%1%2").arg(unit).arg(QChar('A' + channel)));
        e.setFirmwareVersion(QStringLiteral("1.%1").arg(channel));
        e.setCalibrationDate(platform::OleDate::fromDate(QDate(2025, 3, 1)));
    }
    return electrodes;
}

QVariant WriterTest::scalar(const QString& sql) const
{
    return openDirect()->execute(sql).value(0);
}

int WriterTest::rowCount(const QString& sql) const
{
    return openDirect()->execute(sql).recordCount();
}

void WriterTest::setLastUniqueGroupID(qint32 value) const
{
    openDirect()->execute(QStringLiteral("UPDATE Globals SET LastUniqueGroupID = ") + QString::number(value));
}
