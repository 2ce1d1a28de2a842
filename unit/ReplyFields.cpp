#include "unit/ReplyFields.h"

#include <cmath>
#include <limits>

namespace unit {

namespace ReplyFields {

QStringView text(QStringView inner, int pos, int width)
{
    const qsizetype start = pos - 1;
    if (start < 0 || start >= inner.size() || width <= 0)
        return {};
    return inner.mid(start, std::min<qsizetype>(width, inner.size() - start));
}

QStringView rest(QStringView inner, int pos)
{
    const qsizetype start = pos - 1;
    if (start < 0 || start >= inner.size())
        return {};
    return inner.mid(start);
}

QChar charAt(QStringView inner, int pos)
{
    const qsizetype at = pos - 1;
    return at >= 0 && at < inner.size() ? inner.at(at) : QChar(0);
}

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Whole number of the decimal text, or nothing when it is not one or lies
// beyond [min, max].
std::optional<std::int64_t> toWhole(QStringView text, std::int64_t min, std::int64_t max)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        ++i;
    }
    std::int64_t whole = 0;
    int digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
        whole = whole * 10 + (text[i].unicode() - u'0');
        if (whole > std::int64_t(1) << 40)
            return std::nullopt;
    }
    // Fraction: rounded to the nearest, halves to the even neighbour.
    if (i < text.size() && text[i] == u'.') {
        ++i;
        int fractionDigits = 0;
        int firstDigit = 0;
        bool restNonZero = false;
        for (; i < text.size() && isDigit(text[i]); ++i, ++fractionDigits) {
            if (fractionDigits == 0)
                firstDigit = (text[i].unicode() - u'0');
            else if (text[i] != u'0')
                restNonZero = true;
        }
        if (digits + fractionDigits == 0)
            return std::nullopt;
        if (firstDigit > 5 || (firstDigit == 5 && (restNonZero || whole % 2 == 1)))
            ++whole;
        digits += fractionDigits;
    }
    if (digits == 0 || i != text.size())
        return std::nullopt;
    if (negative)
        whole = -whole;
    if (whole < min || whole > max)
        return std::nullopt;
    return whole;
}

} // namespace

std::optional<std::int16_t> toInteger(QStringView text)
{
    const auto v = toWhole(text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!v)
        return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::optional<std::int32_t> toLong(QStringView text)
{
    const auto v = toWhole(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

QString firmwareText(QStringView field)
{
    return text(field, 1, 3).toString() + u'.' + text(field, 4, 2).toString();
}

} // namespace ReplyFields

} // namespace unit
