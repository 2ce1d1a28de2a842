#pragma once
// Lays a filled report out on pages: A4, portrait or landscape as the
// template says, with margins, headings kept with what follows them, tables
// that repeat their header on each page and are split into column ranges
// (the leading fixed columns repeated) when they are wider than the page,
// and "Page n of m" at the foot of each page. Every text is broken into
// lines that fit its box (inside a word too wide for the box), and is drawn
// whole: a field, text or table row taller than a page goes on at the top
// of the next pages (a field under its label again, a row under the table's
// header), and nothing is drawn over the foot of a page.

#include "platform/ReportContent.h"
#include "platform/ReportPage.h"

#include <QFont>
#include <QList>

namespace platform {

class ReportLayout {
public:
    static QList<ReportPage> layout(const ReportContent& content);
    // The fonts of the pages, sized in points (as pixels of a 72 dpi page).
    static QFont font(ReportFont role);
};

} // namespace platform
