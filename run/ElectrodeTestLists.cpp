#include "run/ElectrodeTestLists.h"

#include <memory>

namespace run {

namespace {

std::shared_ptr<testlists::TestStep> newStep(const QString& type, qint16 count, const QString& electrodes,
                                             bool rollPrompt, qint16 paceMinutes, bool concurrentRoll, qint32 parentID)
{
    auto step = std::make_shared<testlists::TestStep>();
    step->initByParams(type, count, electrodes, 0, 0, rollPrompt, paceMinutes, concurrentRoll);
    step->setParentID(parentID);
    return step;
}

std::shared_ptr<testlists::TestStep> rollerStep(const QString& electrode)
{
    return newStep(QStringLiteral("SGROLL"), 1, electrode, false, 0, false, 0);
}

// The copy of the operator's step for one electrode.
std::shared_ptr<testlists::TestStep> copyFor(const testlists::TestStep& step, const QString& electrode, qint32 parentID)
{
    if (isPaceType(step.testType()))
        return newStep(step.testType(), step.testCount(), electrode, step.showPaceRollPrompt(),
                       qint16(step.paceTestTime()), step.concurrentPaceRollPrompt(), parentID);
    return newStep(step.testType(), step.testCount(), electrode, false, 0, false, parentID);
}

} // namespace

bool isPaceType(const QString& type)
{
    return type == QLatin1String("PACE1") || type == QLatin1String("PACE2");
}

ElectrodeTestLists buildElectrodeTestLists(const testlists::TestList& operatorList, const QString& defaultSelection,
                                           const std::array<bool, 32>& takingPart, bool rollerConnected,
                                           int simultaneousTests)
{
    ElectrodeTestLists lists;
    if (operatorList.isEmpty() || !operatorList.first())
        return lists;
    lists.expanded << newStep(QStringLiteral("ACZ"), 1, defaultSelection, false, 0, false, 1);

    const testlists::TestStep& first = *operatorList.first();
    const bool firstIsPace = isPaceType(first.testType());
    const bool pacePart = firstIsPace && simultaneousTests >= 1;
    if (pacePart)
        for (qint16 index = 0; index < 32; ++index)
            if (takingPart[std::size_t(index)])
                lists.pace << newStep(first.testType(), first.testCount(),
                                      testlists::TestStep::findElectrodeNameByIndex(index), first.showPaceRollPrompt(),
                                      qint16(first.paceTestTime()), first.concurrentPaceRollPrompt(), 2);

    for (qint16 index = 0; index < 32; ++index) {
        if (!takingPart[std::size_t(index)])
            continue;
        const bool unit1 = index < 16;
        const bool roller = unit1 && rollerConnected;
        const QString electrode = testlists::TestStep::findElectrodeNameByIndex(index);
        for (int k = 1; k <= operatorList.size(); ++k) {
            const testlists::TestStep& step = *operatorList[k - 1];
            if (k == 1 && (unit1 ? pacePart : firstIsPace)) {
                if (roller)
                    lists.expanded << rollerStep(electrode);
                continue;
            }
            lists.expanded << copyFor(step, electrode, k + 1);
            if (roller && isPaceType(step.testType()))
                lists.expanded << rollerStep(electrode);
        }
    }
    return lists;
}

void removeUncompletedStepsOf(testlists::TestList& list, const QList<qint16>& electrodes)
{
    list.removeIf([&](const std::shared_ptr<testlists::TestStep>& step) {
        if (!step || step->testCompleted())
            return false;
        for (qint16 index : electrodes)
            if (step->electrodeSelectedByIndex(index))
                return true;
        return false;
    });
}

} // namespace run
