#pragma once
// The calibration values a channel sends back when the calibration and
// service panel asks for them, as the texts of the panel's boxes: whole
// numbers with leading zeros ("02", "2011", "0013"), the serial number as
// received. Which box takes which value is given here, in the order the
// boxes are filled; the panel only sets the texts. Nothing here fails.

#include "unit/UnitReadings.h"

#include <QList>
#include <QString>

namespace run {

// The boxes of the panel that a read-back fills.
enum class CalibrationBox {
    Day,
    Month,
    Year,
    SerialNumber,
    ReferenceAcz,
    Reference100uV,
    Reference50mV,
    ReferenceAcz30,
    DcoReference750mV,
    Pace1On,
    Pace1Off,
    Pace2On,
    Pace2Off,
    Zamo24Pace1On,
    Zamo24Pace1Off,
    Zamo24Pace2On,
    Zamo24Pace2Off,
    Zamo24Pace1Volts,
    Zamo24Pace2Volts,
};

struct BoxText {
    CalibrationBox box;
    QString text;

    bool operator==(const BoxText&) const = default;
};

using BoxTexts = QList<BoxText>;

namespace CalibrationReadBack {

// The value rounded to a whole number (halves away from zero), with at
// least `digits` digits: 7 as "0007", 12.6 as "0013", 12345 as "12345",
// -5 as "-0005"; "" (a null text) for a value that is no finite number.
QString zeroPadded(double value, int digits);

BoxTexts calibrationDate(const unit::CalibrationDateReply& date);
BoxTexts serialNumber(const QString& serialNumber);
BoxTexts calibrationReference(const unit::CalibrationReference& reference);
BoxTexts dcoReferenceVoltage(qint16 reference750);
BoxTexts pacePulseWidths(const unit::PacePulseWidths& widths);
// The frequencies and rates are not shown; a voltage the unit could not
// give (no finite number) leaves its box as it is.
BoxTexts zamo24PaceSettings(const unit::Zamo24PaceSettings& settings);

// The box texts of any reply; none for a reply that fills no box.
BoxTexts readBackOf(const unit::ReplyValue& reply);

} // namespace CalibrationReadBack

} // namespace run
