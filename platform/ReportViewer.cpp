#include "platform/ReportViewer.h"

#include "platform/Report.h"
#include "platform/ReportPainter.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

namespace {

constexpr int kGap = 12;

// The pages, drawn at the screen's size of a point.
class PagesWidget : public QWidget {
public:
    explicit PagesWidget(QWidget* parent) : QWidget(parent) {}

    void setPages(const QList<ReportPage>& pages)
    {
        m_pages = pages;
        int width = 0;
        int height = kGap;
        for (const ReportPage& p : m_pages) {
            width = std::max(width, static_cast<int>(p.size.width() * scale()));
            height += static_cast<int>(p.size.height() * scale()) + kGap;
        }
        setFixedSize(width + 2 * kGap, height);
        update();
    }
    int count() const { return static_cast<int>(m_pages.size()); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(128, 128, 128));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        double y = kGap;
        for (const ReportPage& p : m_pages) {
            const QRectF paper(kGap, y, p.size.width() * scale(), p.size.height() * scale());
            if (paper.intersects(event->rect())) {
                painter.fillRect(paper, Qt::white);
                painter.save();
                painter.translate(paper.topLeft());
                painter.scale(scale(), scale());
                ReportPainter::paintPage(painter, p);
                painter.restore();
            }
            y += paper.height() + kGap;
        }
    }

private:
    double scale() const { return logicalDpiX() / 72.0; }

    QList<ReportPage> m_pages;
};

} // namespace

ReportViewer::ReportViewer(QWidget* parent) : QScrollArea(parent)
{
    
    setWidget(new PagesWidget(this));
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
}

void ReportViewer::setReportSource(Report* report)
{
    m_report = report;
}

void ReportViewer::viewReport()
{
    auto* pages = static_cast<PagesWidget*>(widget());
    pages->setPages(m_report ? m_report->pages() : QList<ReportPage>{});
}

int ReportViewer::pageCount() const
{
    return static_cast<const PagesWidget*>(widget())->count();
}

} // namespace platform
