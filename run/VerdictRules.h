#pragma once
// The verdict rules of a reading, free of any window or unit: which reading
// is final, how a final value compares with the limit and warning of its
// test, the texts of the verdict lines, and the data-error count at which an
// electrode is given up.

#include "run/UnitIndex.h"

#include <QString>

namespace run {

namespace VerdictRules {

// The fifth data error in a row ends the electrode's test.
constexpr int MaxDataErrors = 5;

// A reading is final when the unit marks it so and the step is past its
// start phase; anything else is interim.
bool isFinal(bool completed, bool startupFlag);

// A reading that is not a number (an undefined quotient of the decoder, or
// an overflow) cannot be judged and counts as bad data.
bool isNumber(double v);

// "FAIL" when |v| is strictly above the limit, "PASS?" when it is at or
// above the warning, else "PASS"; "ERR" for a value that is not a number.
QString judge(double v, double limit, double warning);

// "PASS" and "PASS?" become "PASS*" on a channel whose calibration has
// expired; every other code stays.
QString withCalibrationExpiry(const QString& code, bool expired);

// True for the pass codes, the only ones the calibration expiry can change.
bool isPass(const QString& code);

// "* -> 3000.001 > 3000, FAILED"
QString failLine(double v, double limit);
// "* ACZ Test Complete on Electrode A1"
QString completionLine(const QString& testName, const QString& electrode);
// "* Data error detected on Electrode A1. Requesting retransmission."
QString retransmissionLine(const QString& electrode);
// "* -> Electrode A1 Data Error"
QString dataErrorLine(const QString& electrode);

// A value with three decimals ("0.000").
QString fixed3(double v);
// A limit as a plain number, without trailing zeros ("3", "2.5").
QString plainNumber(double v);

// Channel 0..15: a reply from any other channel is not judged.
bool validChannel(qint16 channel);

// Electrode index (0..31) and name ("A1".."P2", with the unit's number) of a
// unit's channel.
qint16 electrodeIndex(UnitIndex unit, qint16 channel);
QString electrodeName(UnitIndex unit, qint16 channel);

} // namespace VerdictRules

} // namespace run
