#include "testlists/TestListRows.h"

namespace testlists {

namespace TestListRows {

namespace {

bool isPace(const QString& type)
{
    return type == "PACE1" || type == "PACE2";
}

} // namespace

QString electrodesText(const TestStep& step, const QString& selection)
{
    if (step.testType() == "BIAS")
        return QString::number(step.biasTestTime()) + "/" + QString::number(step.biasSampleTime());
    constexpr int Shown = 20;
    return selection.size() > Shown ? selection.left(Shown) + "..." : selection;
}

QString countText(const TestStep& step)
{
    return QString::number(isPace(step.testType()) ? step.paceTestTime() : step.testCount());
}

} // namespace TestListRows

} // namespace testlists
