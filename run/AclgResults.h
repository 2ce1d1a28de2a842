#pragma once
// The ACLG results of the newer unit models: the start acknowledgement that
// lets the test clock trigger the charge, the one reading of a ZAMO80 and
// the R1/R2 pair of a ZAMO2-4. Every good final reading is added to the
// channel's sums for the run's average verdict. Each reply leaves one trace
// line in the log file with the points it passed.

#include "run/UnitIndex.h"
#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class ResultReplyFlow;

class AclgResults {
public:
    explicit AclgResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void aclgStarted();
    void aclgReading(UnitIndex unit, qint16 channel, const unit::AclgReading& reading);
    void zamo24AclgReading(UnitIndex unit, qint16 channel, const unit::Zamo24AclgReading& reading);

    // The first points of the trace line of a ZAMO2-4 (pair) or ZAMO80 reading.
    static QString traceStart(bool pair);
    // The points that a bad final reading passes: counted and asked for again,
    // or counted for the last time ("ERR"; the end point follows the result).
    static QString badFinalTrace(bool retransmitted);

private:
    struct Reading {
        UnitIndex unit;
        qint16 channel;
        bool completed;
        double r1;
        double r2;
        bool pair;        // a ZAMO2-4 R1/R2 pair
        bool interimGood; // the raw words of an interim reading are good
        bool finalBad;    // the raw words of a final reading are bad
    };
    // Handles one reading; trace gets the points passed.
    void handle(const Reading& r, QString& trace);
    void handleInterim(const Reading& r, QString& trace);
    void addToSums(const Reading& r);

    ResultReplyFlow& m_flow;
};

} // namespace run
