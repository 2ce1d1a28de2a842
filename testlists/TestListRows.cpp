#include "testlists/TestListRows.h"

namespace TestListRows {

namespace {

bool isPace(const QString& type)
{
    return type == "PACE1" || type == "PACE2";
}

} // namespace

QString ElectrodesText(const clsTestSequence& step, const QString& selection)
{
    if (step.TestType() == "BIAS")
        return QString::number(step.BiasTestTime()) + "/" + QString::number(step.BiasSampleTime());
    constexpr int Shown = 20;
    return selection.size() > Shown ? selection.left(Shown) + "..." : selection;
}

QString CountText(const clsTestSequence& step)
{
    return QString::number(isPace(step.TestType()) ? step.PaceTestTime() : step.TestCount());
}

} // namespace TestListRows
