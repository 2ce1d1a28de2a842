#pragma once
// Fields of a unit reply: fixed-width decimal text at fixed 1-based
// positions in the text between the brackets. A field that does not
// convert (letters, empty text, beyond the end of a short reply, a value
// beyond its integer type) gives no value.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace ReplyFields {

// The width characters from 1-based position pos; shorter (possibly empty)
// where the text ends earlier.
QStringView Text(QStringView inner, int pos, int width);
// Everything from 1-based position pos to the end.
QStringView Rest(QStringView inner, int pos);
// The character at 1-based position pos, or NUL beyond the end.
QChar At(QStringView inner, int pos);

// Decimal text, surrounding blanks allowed, an optional sign and an optional
// fraction (rounded to the nearest whole number, halves to the even one).
std::optional<std::int16_t> ToInteger(QStringView text);
std::optional<std::int32_t> ToLong(QStringView text);

// Field helpers: the Integer (16-bit) or Long (32-bit) field at pos.
inline std::optional<std::int16_t> Integer(QStringView inner, int pos, int width = 4)
{
    return ToInteger(Text(inner, pos, width));
}
inline std::optional<std::int32_t> Long(QStringView inner, int pos, int width = 5)
{
    return ToLong(Text(inner, pos, width));
}

// Firmware text: characters 1-3 & "." & characters 4-5 of the field.
QString FirmwareText(QStringView field);

} // namespace ReplyFields
