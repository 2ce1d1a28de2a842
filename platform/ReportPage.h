#pragma once
// One laid-out page of a report: texts, lines and shaded boxes placed in
// points from the paper's top left corner.

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace platform {

enum class ReportFont { Body, BodyBold, Title, Heading1, Heading2, Table, TableBold, Footer };

// One text, line or shaded box of a page.
struct ReportPageItem {
    enum class Kind { Text, Line, Shade };
    Kind kind = Kind::Text;
    QRectF rect; // a line runs from the top left to the bottom right corner
    QString text;
    ReportFont font = ReportFont::Body;
    int flags = 0; // Qt alignment and wrap flags
};

// A page's size and everything drawn on it.
struct ReportPage {
    QSizeF size; // points
    QList<ReportPageItem> items;
};

} // namespace platform
