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

// Reads the fields of one reply and notes the first field that did not
// convert, so that the parser can log the reply as malformed. A field that
// does not convert reads as 0.
class ReplyFieldReader {
public:
    explicit ReplyFieldReader(QStringView inner) : m_inner(inner) {}

    QStringView Inner() const { return m_inner; }
    QChar At(int pos) const { return ReplyFields::At(m_inner, pos); }
    QStringView Text(int pos, int width) const { return ReplyFields::Text(m_inner, pos, width); }
    QStringView Rest(int pos) const { return ReplyFields::Rest(m_inner, pos); }
    // "*" at the marker position: final data. Anything else, or a reply too
    // short to reach it, is interim.
    bool Completed(int markerPos) const { return At(markerPos) == u'*'; }

    std::int16_t Integer(int pos, int width = 4) { return TryInteger(pos, width).value_or(0); }
    std::int32_t Long(int pos, int width = 5) { return TryLong(pos, width).value_or(0); }
    // The same without the fallback: nothing when the field does not convert.
    std::optional<std::int16_t> TryInteger(int pos, int width = 4)
    {
        return Noted(ReplyFields::Integer(m_inner, pos, width), pos);
    }
    std::optional<std::int32_t> TryLong(int pos, int width = 5)
    {
        return Noted(ReplyFields::Long(m_inner, pos, width), pos);
    }

    // 1-based position of the first field that did not convert, 0 if none.
    int FirstBadField() const { return m_firstBad; }

private:
    template <typename T>
    std::optional<T> Noted(std::optional<T> value, int pos)
    {
        if (!value && m_firstBad == 0)
            m_firstBad = pos;
        return value;
    }

    QStringView m_inner;
    int m_firstBad = 0;
};
