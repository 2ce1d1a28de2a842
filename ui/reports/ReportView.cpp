#include "ui/reports/ReportView.h"

#include "platform/Report.h"
#include "platform/ReportError.h"
#include "platform/ReportPainter.h"
#include "ui/reports/ReportPrinter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

constexpr int kGap = 12;

} // namespace

// The pages, drawn at the screen's size of a point or smaller, to fit the
// width at hand.
class ReportPagesWidget : public QWidget {
public:
    explicit ReportPagesWidget(QWidget* parent) : QWidget(parent) {}

    void setPages(const QList<platform::ReportPage>& pages)
    {
        m_pages = pages;
        relayout();
    }
    void setAvailableWidth(int width)
    {
        m_available = width;
        relayout();
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
        for (const platform::ReportPage& p : m_pages) {
            const QRectF paper(kGap, y, p.size.width() * m_scale, p.size.height() * m_scale);
            if (paper.intersects(event->rect())) {
                painter.fillRect(paper, Qt::white);
                painter.save();
                painter.translate(paper.topLeft());
                painter.scale(m_scale, m_scale);
                platform::ReportPainter::paintPage(painter, p);
                painter.restore();
            }
            y += paper.height() + kGap;
        }
    }

private:
    void relayout()
    {
        double widest = 1;
        for (const platform::ReportPage& p : m_pages)
            widest = std::max(widest, p.size.width());
        const double printed = logicalDpiX() / 72.0;
        m_scale = m_available > 0 ? std::clamp((m_available - 2.0 * kGap) / widest, 0.3, printed) : printed;
        int height = kGap;
        for (const platform::ReportPage& p : m_pages)
            height += static_cast<int>(p.size.height() * m_scale) + kGap;
        setFixedSize(static_cast<int>(widest * m_scale) + 2 * kGap, height);
        update();
    }

    QList<platform::ReportPage> m_pages;
    int m_available = 0;
    double m_scale = 1;
};

ReportViewer::ReportViewer(QWidget* parent) : QWidget(parent)
{
    auto* tools = new QToolBar(this);
    m_print = tools->addAction(QStringLiteral("Print"));
    m_print->setObjectName(QStringLiteral("printReport"));
    m_print->setEnabled(false);
    connect(m_print, &QAction::triggered, this, &ReportViewer::print);

    m_scroll = new QScrollArea(this);
    m_pages = new ReportPagesWidget(m_scroll);
    m_scroll->setWidget(m_pages);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn); // the width at hand stays the same
    m_scroll->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_scroll);
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::setReportSource(platform::Report* report)
{
    if (report != m_report)
        m_printer = report ? std::make_unique<ReportPrinter>(*report) : nullptr;
    m_report = report;
    m_print->setEnabled(false);
}

void ReportViewer::viewReport()
{
    m_pages->setPages(m_report ? m_report->pages() : QList<platform::ReportPage>{});
    m_print->setEnabled(m_report != nullptr);
}

int ReportViewer::pageCount() const
{
    return m_pages->count();
}

bool ReportViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        m_pages->setAvailableWidth(m_scroll->viewport()->width());
    return QWidget::eventFilter(watched, event);
}

void ReportViewer::print()
{
    if (!m_report)
        return;
    QPrintDialog dialog(&m_printer->printer(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        m_printer->printOut(m_printer->printer());
    } catch (const platform::ReportError& e) {
        emit printFailed(e.text());
    }
}

} // namespace ui
