#include "run/RunRecording.h"

#include "results/RunRecordWriters.h"

#include <QVariant>
#include <QVector>

void RunRecording::RecordUnitDiagnostics(int vUnit, qint32 vGroupID, const QStringList& vDiagnostics, bool vNewModel)
{
    if (vUnit != 1 && vUnit != 2)
        return;
    QVector<QVariant> values;
    for (const QString& value : vDiagnostics)
        values << value;
    const QString unit = QStringLiteral("Unit #") + QString::number(vUnit);
    if (values.size() != 10) {
        Log(QStringLiteral("* Unable to record the diagnostics of ") + unit + QStringLiteral(": the unit is not connected"));
        return;
    }
    Write(QStringLiteral("the diagnostics of ") + unit, [&] {
        modDatabase::RecordUnitDiagnostics(static_cast<qint16>(vUnit), vGroupID, values, vNewModel);
    });
}
