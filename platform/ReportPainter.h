#pragma once
// Draws laid-out report pages on any paint device: a page at a given scale
// (device units per point), or all pages of a document on a paged device
// such as a printer or a PDF writer, one page after another.

#include "platform/ReportPage.h"

#include <QList>

class QPainter;
class QPagedPaintDevice;

namespace platform {

class ReportPainter {
public:
    static void paintPage(QPainter& painter, const ReportPage& page);
    // Returns false when the device could not be painted on.
    static bool paintDocument(QPagedPaintDevice& device, const QList<ReportPage>& pages, double unitsPerPoint);
};

} // namespace platform
