#include "run/CancelReason.h"

#include "testlists/TestStep.h"

#include <QStringList>

namespace run {

namespace {

const QString kParagraph = QStringLiteral("\r\n\r\n");

} // namespace

CancelReason CancelReason::overrun(const testlists::TestStep& step)
{
    QStringList waiting;
    for (qint16 electrode = 0; electrode < 32; ++electrode)
        if (step.isElectrodeTestActive(electrode))
            waiting << testlists::TestStep::findElectrodeNameByIndex(electrode);
    QString message = QStringLiteral("TEST EXCEEDED MAX EXPECTED DURATION.  Aborting test.");
    if (!waiting.isEmpty())
        message += kParagraph + QStringLiteral("The ") + step.testType()
                   + QStringLiteral(" test got no reading in time from Electrodes ")
                   + waiting.join(QStringLiteral(", ")) + QLatin1Char('.');
    return {QStringLiteral("* TEST EXCEEDED MAX EXPECTED DURATION"), message};
}

CancelReason CancelReason::unitLost(int unit)
{
    const QString text = QStringLiteral("Connection to Unit #") + QString::number(unit)
                         + QStringLiteral(" has been lost.  Aborting test.");
    return {QStringLiteral("* ") + text, text};
}

CancelReason CancelReason::databaseLost(const QString& cause)
{
    const QString text = QStringLiteral("Database connection has been interrupted.  Aborting test.");
    return {QStringLiteral("* ") + text, cause.isEmpty() ? text : text + kParagraph + cause};
}

CancelReason CancelReason::chargeFailed(const QString& failLine)
{
    QString text = failLine;
    while (text.startsWith(QLatin1Char('*')) || text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    return {failLine, text};
}

} // namespace run
