#include "testlists/TestList.h"

namespace testlists {

TestList copySteps(const TestList& source)
{
    TestList copies;
    for (const auto& step : source) {
        auto copy = std::make_shared<TestStep>();
        copy->initByString(step->testString());
        copies.append(copy);
    }
    return copies;
}

} // namespace testlists
