#pragma once
// Test lists written as their step lines, and back.

#include "testlists/TestStep.h"

#include <QStringList>

namespace testsupport {

inline TestList stepsFromLines(const QStringList& lines)
{
    TestList list;
    for (const QString& line : lines) {
        auto step = std::make_shared<TestStep>();
        step->initByString(line);
        list.append(step);
    }
    return list;
}

inline QStringList linesOfSteps(const TestList& list)
{
    QStringList lines;
    for (const auto& step : list)
        lines << step->testString();
    return lines;
}

} // namespace testsupport
