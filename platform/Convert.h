#pragma once
// Conversions of settings and file text to numbers and back, as the station
// has always converted them, whatever the locale:
// - "." is the decimal point; no thousands separators; blanks around the
//   text are ignored; an exponent ("1E3") is accepted;
// - whole numbers round to the nearest whole number, halves to the even
//   neighbour (2.5 -> 2, 3.5 -> 4), and must then fit the target's range;
// - on/off values take any number (0 is off) or the words True and False;
// - empty or non-numeric text never converts: the result is then empty
//   (std::nullopt), and so it is for a number outside the target's range.

#include <QString>

#include <optional>

namespace platform {

class Convert {
public:
    static std::optional<double> toDouble(const QString& text);
    static std::optional<qint16> toInt16(const QString& text);
    static std::optional<qint32> toInt32(const QString& text);
    static std::optional<bool> toBool(const QString& text);

    // True when the text converts to a 32-bit whole number (rounded to the
    // nearest) that is not above maximum; negative numbers pass.
    static bool isNumberNotAbove(const QString& text, qint32 maximum);

    // The general decimal text of a Double: at most 15 significant digits,
    // no trailing zeros, "." as the decimal point (100, 3000, 0.5, 1E-05).
    static QString fromDouble(double value);
    // The text that converts back to exactly this value: the general
    // decimal text when it does (so 100, 0.5 and 1E-05 stay as they are),
    // otherwise the shortest text with up to 17 significant digits that
    // does (1.7976931348623157E+308, 0.30000000000000004).
    static QString fromDoubleExact(double value);
};

} // namespace platform
