#include "support/ReportPages.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace testsupport {

QString unbrokenWord(int length)
{
    QString word = "U";
    for (int n = 1000; word.size() < length; ++n)
        word += QString::number(n);
    return word.left(length);
}

QString words(QChar prefix, int length, int unbroken)
{
    QString text;
    for (int n = 1; text.size() < length - unbroken; ++n)
        text += prefix + QString::number(n).rightJustified(4, '0') + ' ';
    text.truncate(length - unbroken - 1);
    return text + ' ' + unbrokenWord(unbroken);
}

QString textSection(const QString& text, const QString& heading, const QString& nextHeading)
{
    const qsizetype from = text.indexOf("\n" + heading + "\n");
    if (from < 0)
        return QString();
    return text.mid(from + 1, text.indexOf("\n" + nextHeading + "\n", from) - from - 1);
}

void expectClearOfTheFoot(const QList<platform::ReportPage>& pages)
{
    using platform::ReportFont;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        double foot = pages[i].size.height();
        for (const platform::ReportPageItem& item : pages[i].items)
            if (item.font == platform::ReportFont::Footer)
                foot = std::min(foot, item.rect.top());
        for (const platform::ReportPageItem& item : pages[i].items) {
            if (item.font == platform::ReportFont::Footer)
                continue;
            EXPECT_LE(item.rect.bottom(), foot + 0.01) << "page " << i + 1 << ": " << item.text.toStdString();
        }
    }
}

} // namespace testsupport
