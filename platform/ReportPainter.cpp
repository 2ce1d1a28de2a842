#include "platform/ReportPainter.h"

#include "platform/ReportLayout.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace platform {

void ReportPainter::paintPage(QPainter& painter, const ReportPage& page)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5));
    ReportFont current = ReportFont::Footer;
    bool fontSet = false;
    for (const ReportPageItem& item : page.items) {
        switch (item.kind) {
        case ReportPageItem::Kind::Shade: painter.fillRect(item.rect, QColor(225, 230, 238)); break;
        case ReportPageItem::Kind::Line: painter.drawLine(item.rect.topLeft(), item.rect.bottomRight()); break;
        case ReportPageItem::Kind::Text:
            if (!fontSet || item.font != current) {
                painter.setFont(ReportLayout::font(item.font));
                current = item.font;
                fontSet = true;
            }
            painter.drawText(item.rect, item.flags, item.text);
            break;
        }
    }
    painter.restore();
}

bool ReportPainter::paintDocument(QPagedPaintDevice& device, const QList<ReportPage>& pages, double unitsPerPoint)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(unitsPerPoint, unitsPerPoint);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintPage(painter, pages[i]);
    }
    return painter.end();
}

} // namespace platform
