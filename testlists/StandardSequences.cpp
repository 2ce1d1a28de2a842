#include "testlists/StandardSequences.h"

namespace testlists {

namespace {

void appendStep(TestList& list, const QString& type, qint16 count, const QString& electrodes, qint16 paceDuration = 0)
{
    auto step = std::make_shared<TestStep>();
    step->initByParams(type, count, electrodes, 0, 0, false, paceDuration, false);
    list.append(step);
}

} // namespace

TestList standardSequenceSteps(const QString& electrodes)
{
    TestList list;
    appendStep(list, QStringLiteral("DCO"), 1, electrodes);
    appendStep(list, QStringLiteral("ACZ"), 1, electrodes);
    appendStep(list, QStringLiteral("SDR"), 4, electrodes);
    appendStep(list, QStringLiteral("ACZ"), 1, electrodes);
    return list;
}

TestList standard80SequenceSteps(const QString& electrodes, qint16 paceDuration)
{
    TestList list;
    appendStep(list, QStringLiteral("PACE1"), 1, electrodes, paceDuration);
    appendStep(list, QStringLiteral("ACLG"), 2, electrodes);
    appendStep(list, QStringLiteral("DEFR"), 1, electrodes);
    appendStep(list, QStringLiteral("NOISE"), 1, electrodes);
    appendStep(list, QStringLiteral("ACZ"), 1, electrodes);
    appendStep(list, QStringLiteral("ACZ30"), 1, electrodes);
    appendStep(list, QStringLiteral("DCO"), 1, electrodes);
    return list;
}

} // namespace testlists
