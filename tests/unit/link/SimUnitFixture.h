#pragma once
// A simulated unit on virtual time in a temporary data folder, its answers
// (text and channel) recorded in order.

#include "platform/Clock.h"
#include "support/TempDataHome.h"
#include "unit/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

struct Reply {
    QString data;
    qint16 channel;
    bool operator==(const Reply&) const = default;
};

inline void PrintTo(const Reply& r, std::ostream* os)
{
    *os << "(\"" << r.data.toStdString() << "\", " << r.channel << ")";
}

class SimUnitTest : public ::testing::Test {
protected:
    SimUnitTest()
    {
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
        QObject::connect(&unit, &unit::SimulatedUnit::dataReady, [this](const QString& d, qint16 c) {
            replies.push_back({d, c});
        });
    }
    ~SimUnitTest() override { platform::Clock::useRealTime(); }

    void make(int channels, bool zamo80 = false, bool zamo24 = false)
    {
        unit.setNumOfChannels(static_cast<qint16>(channels));
        unit.setZamo80(zamo80);
        unit.setZamo24(zamo24);
        unit.init();
    }
    std::vector<Reply> Send(const QString& frame)
    {
        replies.clear();
        EXPECT_EQ(unit.rxData(frame), "");
        return replies;
    }

    testsupport::TempDataHome home;
    unit::SimulatedUnit unit;
    std::vector<Reply> replies;
};
