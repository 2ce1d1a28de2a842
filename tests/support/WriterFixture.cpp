#include "support/WriterFixture.h"

results::UnitElectrodes WriterTest::unitWith(int unit, std::initializer_list<int> connectedChannels)
{
    results::UnitElectrodes electrodes(16);
    for (int channel : connectedChannels)
        electrodes[channel] =
            results::ElectrodeIdentity{QDateTime(QDate(2025, 3, 1), QTime(0, 0)), QStringLiteral("1.%1").arg(channel),
                                       QStringLiteral("SN%1%2").arg(unit).arg(QChar('A' + channel))};
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
