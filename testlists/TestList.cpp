#include "testlists/TestList.h"

TestList CopySteps(const TestList& source)
{
    TestList copies;
    for (const auto& step : source) {
        auto copy = std::make_shared<clsTestSequence>();
        copy->InitByString(step->TestString());
        copies.append(copy);
    }
    return copies;
}
