#pragma once
// Test lists written as their step lines, and back.

#include "testlists/TestStep.h"

#include <QStringList>

namespace testsupport {

inline testlists::TestList stepsFromLines(const QStringList& lines)
{
    testlists::TestList list;
    for (const QString& line : lines) {
        auto step = std::make_shared<testlists::TestStep>();
        step->initByString(line);
        list.append(step);
    }
    return list;
}

inline QStringList linesOfSteps(const testlists::TestList& list)
{
    QStringList lines;
    for (const auto& step : list)
        lines << step->testString();
    return lines;
}

} // namespace testsupport
