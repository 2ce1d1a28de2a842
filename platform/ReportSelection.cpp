#include "platform/ReportSelection.h"

#include "platform/ReportError.h"

#include <QRegularExpression>

namespace platform {

ReportSelection ReportSelection::parse(const QString& formula)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*\{\s*([A-Za-z_]\w*\.[A-Za-z_0-9]\w*)\s*\}\s*=\s*([-+]?\d+)\s*$)"));
    const QRegularExpressionMatch m = form.match(formula);
    bool ok = false;
    const qint64 value = m.hasMatch() ? m.captured(2).toLongLong(&ok) : 0;
    if (!ok)
        throw ReportError(QStringLiteral("Record selection not understood: ") + formula);
    return ReportSelection{m.captured(1), QVariant(value)};
}

} // namespace platform
