#include "platform/Convert.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace platform {

namespace {

template <typename T>
std::optional<T> toWhole(const QString& text)
{
    const std::optional<double> value = Convert::toDouble(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // to nearest, halves to even
    if (rounded < double(std::numeric_limits<T>::min()) || rounded > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

} // namespace

std::optional<double> Convert::toDouble(const QString& text)
{
    QByteArray bytes = text.trimmed().toLatin1();
    bool negative = false;
    if (!bytes.isEmpty() && (bytes.front() == '+' || bytes.front() == '-')) {
        negative = bytes.front() == '-';
        bytes.remove(0, 1);
    }
    // Digits, one point and an exponent only: no signs inside, no "inf"/"nan".
    if (bytes.isEmpty() || !(std::isdigit(uchar(bytes.front())) || bytes.front() == '.'))
        return std::nullopt;
    double value = 0.0;
    const char* end = bytes.constData() + bytes.size();
    const auto result = std::from_chars(bytes.constData(), end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<qint16> Convert::toInt16(const QString& text)
{
    return toWhole<qint16>(text);
}

std::optional<qint32> Convert::toInt32(const QString& text)
{
    return toWhole<qint32>(text);
}

bool Convert::isNumberNotAbove(const QString& text, qint32 maximum)
{
    const std::optional<qint32> value = toInt32(text);
    return value && *value <= maximum;
}

std::optional<bool> Convert::toBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> value = toDouble(t);
    if (!value)
        return std::nullopt;
    return *value != 0.0;
}

QString Convert::fromDouble(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    text.replace(u'e', u'E');
    return text;
}

QString Convert::fromDoubleExact(double value)
{
    const QString general = fromDouble(value);
    if (toDouble(general) == value)
        return general;
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general);
    QString exact = QString::fromLatin1(text, int(result.ptr - text));
    exact.replace(u'e', u'E');
    return exact;
}

} // namespace platform
