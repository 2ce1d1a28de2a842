#include "results/SanitizeText.h"

#include <QList>

namespace results {

QString sanitizeText(const QString& text, int maxLength)
{
    QString result;
    result.reserve(text.size());
    for (const uint code : text.toUcs4())
        result += (code >= 32 && code <= 126) ? QChar(static_cast<char16_t>(code)) : QChar(u' ');
    result = result.trimmed();
    if (maxLength > 0 && result.size() > maxLength) {
        if (maxLength > 5)
            result = result.left(maxLength - 4) + QStringLiteral("...");
        else
            result.truncate(maxLength);
    }
    return result;
}

} // namespace results
