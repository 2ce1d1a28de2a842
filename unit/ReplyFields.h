#pragma once
// Fields of a unit reply: fixed-width decimal text at fixed 1-based
// positions in the text between the brackets. A field that does not
// convert (letters, empty text, beyond the end of a short reply, a value
// beyond its integer type) gives no value.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace unit {

namespace ReplyFields {

// The width characters from 1-based position pos; shorter (possibly empty)
// where the text ends earlier.
QStringView text(QStringView inner, int pos, int width);
// Everything from 1-based position pos to the end.
QStringView rest(QStringView inner, int pos);
// The character at 1-based position pos, or NUL beyond the end.
QChar charAt(QStringView inner, int pos);

// Decimal text, surrounding blanks allowed, an optional sign and an optional
// fraction (rounded to the nearest whole number, halves to the even one).
std::optional<std::int16_t> toInteger(QStringView text);
std::optional<std::int32_t> toLong(QStringView text);

// Field helpers: the Integer (16-bit) or Long (32-bit) field at pos.
inline std::optional<std::int16_t> integerField(QStringView inner, int pos, int width = 4)
{
    return toInteger(text(inner, pos, width));
}
inline std::optional<std::int32_t> longField(QStringView inner, int pos, int width = 5)
{
    return toLong(text(inner, pos, width));
}

// Firmware text: characters 1-3 & "." & characters 4-5 of the field.
QString firmwareText(QStringView field);

} // namespace ReplyFields

// Reads the fields of one reply and notes the first field that did not
// convert. A field that does not convert reads as 0 while the reply is
// decoded; the parser then refuses what was decoded (CheckedReplySink), so
// that 0 never stands in for a value the unit did not send.
class ReplyFieldReader {
public:
    explicit ReplyFieldReader(QStringView inner) : m_inner(inner) {}

    QStringView inner() const { return m_inner; }
    QChar charAt(int pos) const { return ReplyFields::charAt(m_inner, pos); }
    QStringView text(int pos, int width) const { return ReplyFields::text(m_inner, pos, width); }
    QStringView rest(int pos) const { return ReplyFields::rest(m_inner, pos); }
    // "*" at the marker position: final data. Anything else, or a reply too
    // short to reach it, is interim.
    bool completed(int markerPos) const { return charAt(markerPos) == u'*'; }

    std::int16_t integerField(int pos, int width = 4) { return tryInteger(pos, width).value_or(0); }
    std::int32_t longField(int pos, int width = 5) { return tryLong(pos, width).value_or(0); }
    // The same without the fallback: nothing when the field does not convert.
    std::optional<std::int16_t> tryInteger(int pos, int width = 4)
    {
        return noted(ReplyFields::integerField(m_inner, pos, width), pos);
    }
    std::optional<std::int32_t> tryLong(int pos, int width = 5)
    {
        return noted(ReplyFields::longField(m_inner, pos, width), pos);
    }

    // 1-based position of the first field that did not convert, 0 if none.
    int firstBadField() const { return m_firstBad; }

private:
    template <typename T>
    std::optional<T> noted(std::optional<T> value, int pos)
    {
        if (!value && m_firstBad == 0)
            m_firstBad = pos;
        return value;
    }

    QStringView m_inner;
    int m_firstBad = 0;
};

} // namespace unit
