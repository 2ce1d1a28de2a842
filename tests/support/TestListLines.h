#pragma once
// Test lists written as their step lines, and back.

#include "testlists/TestStep.h"

#include <QStringList>

namespace testsupport {

inline TestList StepsFromLines(const QStringList& lines)
{
    TestList list;
    for (const QString& line : lines) {
        auto step = std::make_shared<clsTestSequence>();
        step->InitByString(line);
        list.append(step);
    }
    return list;
}

inline QStringList LinesOfSteps(const TestList& list)
{
    QStringList lines;
    for (const auto& step : list)
        lines << step->TestString();
    return lines;
}

} // namespace testsupport
