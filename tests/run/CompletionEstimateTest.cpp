// The expected remaining time of a run, with and without pace steps beside the list.
#include "run/CompletionEstimate.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

testlists::TestList steps(std::initializer_list<const char*> lines)
{
    testlists::TestList list;
    for (const char* line : lines) {
        auto step = std::make_shared<testlists::TestStep>();
        step->initByString(line);
        list.append(step);
    }
    return list;
}

TEST(CompletionEstimate, UnfinishedStepsOfTheRunningListWithoutPace)
{
    const testlists::TestList running = steps({"DCO,A1,1", "ACZ,A1,1", "SDR,A1,4", "ACZ,A1,1"});
    EXPECT_EQ(run::CompletionEstimate::remainingSeconds(running, {}, running, 4, {}, {}), 65 + 25 + 4 * 50 + 25);
    // A finished step counts no more; the iteration in progress counts in full.
    running[0]->incrementIteration();
    running[2]->incrementIteration();
    running[2]->incrementIteration();
    EXPECT_EQ(run::CompletionEstimate::remainingSeconds(running, {}, running, 4, {}, {}), 25 + 3 * 50 + 25);
}

TEST(CompletionEstimate, PaceStepsAreSpreadOverTheElectrodesAsTheyAreStaggered)
{
    const testlists::TestList operatorList = steps({"PACE1,A1-B1,60,0,0", "ACZ,A1-B1,1", "DCO,A1-B1,1"});
    const testlists::TestList pace = steps({"PACE1,A1,60,0,0", "PACE1,B1,60,0,0"});
    const testlists::TestList running = steps({"ACZ,A1-B1,1", "ACZ,A1,1", "DCO,A1,1", "ACZ,B1,1", "DCO,B1,1"});
    // Stagger 3600 / 4 = 900 s is longer than the 90 s of other steps per electrode.
    EXPECT_EQ(run::CompletionEstimate::remainingSeconds(running, pace, operatorList, 4, {}, {}),
              3600 + 900 * 1 + 90 + 25);
    // Stagger 36 s: the other steps of both electrodes follow the pace time.
    EXPECT_EQ(run::CompletionEstimate::remainingSeconds(running, pace, operatorList, 100, {}, {}), 90 * 2 + 3600 + 25);
    // No simultaneous tests: one pace time per electrode.
    EXPECT_EQ(run::CompletionEstimate::remainingSeconds(running, pace, operatorList, 0, {}, {}), 3600 + 3600 + 90 + 25);
}

} // namespace
