#pragma once
// Checks on laid-out report pages and on text exports, and long texts to
// lay out, shared by the tests of the layout and of whole reports.

#include "platform/ReportPage.h"

#include <QList>
#include <QString>

namespace testsupport {

// "U" and the numbers from 1000 on run together, `length` characters.
QString unbrokenWord(int length);

// Words "<prefix>0001 <prefix>0002 ..." and then one unbroken word of
// `unbroken` characters, `length` characters in all.
QString words(QChar prefix, int length, int unbroken);

// The lines of a text export from the heading line on, up to the empty line
// before the next heading; "" without the heading.
QString textSection(const QString& text, const QString& heading, const QString& nextHeading);

// Expects nothing but the foot of each page at or below the top of its foot.
void expectClearOfTheFoot(const QList<platform::ReportPage>& pages);

} // namespace testsupport
