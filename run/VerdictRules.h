#pragma once
// The verdict rules of a reading, free of any window or unit: which reading
// is final, how a final value compares with the limit and warning of its
// test, the texts of the verdict lines, and the data-error count at which an
// electrode is given up.

#include <QString>

namespace VerdictRules {

// The fifth data error in a row ends the electrode's test.
constexpr int MaxDataErrors = 5;

// A reading is final when the unit marks it so and the step is past its
// start phase; anything else is interim.
bool IsFinal(bool vCompleted, bool vStartupFlag);

// A reading that is not a number (an undefined quotient of the decoder, or
// an overflow) cannot be judged and counts as bad data.
bool IsNumber(double v);

// "FAIL" when |v| is strictly above the limit, "PASS?" when it is at or
// above the warning, else "PASS"; "ERR" for a value that is not a number.
QString Judge(double v, double limit, double warning);

// "PASS" and "PASS?" become "PASS*" on a channel whose calibration has
// expired; every other code stays.
QString WithCalibrationExpiry(const QString& code, bool vExpired);

// True for the pass codes, the only ones the calibration expiry can change.
bool IsPass(const QString& code);

// "* -> 3000.001 > 3000, FAILED"
QString FailLine(double v, double limit);
// "* ACZ Test Complete on Electrode A1"
QString CompletionLine(const QString& testName, const QString& electrode);
// "* Data error detected on Electrode A1. Requesting retransmission."
QString RetransmissionLine(const QString& electrode);
// "* -> Electrode A1 Data Error"
QString DataErrorLine(const QString& electrode);

// A value with three decimals ("0.000").
QString Fixed3(double v);
// A limit as a plain number, without trailing zeros ("3", "2.5").
QString PlainNumber(double v);

// Unit 1..2 and channel 0..15: a reply from anywhere else is not judged.
bool ValidChannel(int vUnit, qint16 vChannel);

// Electrode index (0..31) and name ("A1".."P2") of a unit's channel.
qint16 ElectrodeIndex(int vUnit, qint16 vChannel);
QString ElectrodeName(int vUnit, qint16 vChannel);

} // namespace VerdictRules
