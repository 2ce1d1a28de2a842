#include "platform/ReportLayout.h"

#include <QFontMetricsF>
#include <QPageSize>

#include <algorithm>
#include <map>

namespace platform {

namespace {

constexpr double kMargin = 36;        // half an inch
constexpr double kFooterHeight = 18;
constexpr double kCellPad = 3;
constexpr double kMaxColumn = 150;
constexpr double kFieldLabel = 118;

class PageBuilder {
public:
    explicit PageBuilder(const ReportContent& content)
    {
        const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
        m_size = content.landscape ? a4.transposed() : a4;
        m_width = m_size.width() - 2 * kMargin;
        m_bottom = m_size.height() - kMargin - kFooterHeight;
        newPage();
        for (const ReportBlock& b : content.blocks)
            add(b);
        footers(content.title);
    }

    QList<ReportPage> pages() const { return m_pages; }

private:
    const QFontMetricsF& metrics(ReportFont role)
    {
        auto it = m_metrics.find(role);
        if (it == m_metrics.end())
            it = m_metrics.emplace(role, QFontMetricsF(ReportLayout::font(role))).first;
        return it->second;
    }

    double lineHeight(ReportFont role) { return metrics(role).lineSpacing(); }

    double textHeight(ReportFont role, const QString& text, double width)
    {
        const QFontMetricsF& fm = metrics(role);
        if (!text.contains(QLatin1Char('\n')) && fm.horizontalAdvance(text) <= width)
            return fm.lineSpacing();
        return fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    void newPage()
    {
        ReportPage page;
        page.size = m_size;
        m_pages << page;
        m_y = kMargin;
    }

    // Starts a new page unless the height still fits on this one.
    void ensure(double height)
    {
        if (m_y + height > m_bottom && m_y > kMargin)
            newPage();
    }

    void text(const QRectF& rect, const QString& s, ReportFont role, int flags)
    {
        m_pages.last().items << ReportPageItem{ReportPageItem::Kind::Text, rect, s, role, flags};
    }

    void line(double x1, double y, double x2)
    {
        m_pages.last().items << ReportPageItem{ReportPageItem::Kind::Line, QRectF(QPointF(x1, y), QPointF(x2, y)), {},
                                               ReportFont::Body, 0};
    }

    void shade(const QRectF& rect)
    {
        m_pages.last().items << ReportPageItem{ReportPageItem::Kind::Shade, rect, {}, ReportFont::Body, 0};
    }

    void add(const ReportBlock& b)
    {
        const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        switch (b.kind) {
        case ReportBlock::Kind::Title: {
            const double h = lineHeight(ReportFont::Title);
            ensure(h);
            text(QRectF(kMargin, m_y, m_width, h), b.text, ReportFont::Title, Qt::AlignHCenter | Qt::AlignTop);
            m_y += h + 8;
            break;
        }
        case ReportBlock::Kind::Heading: {
            const ReportFont role = b.level <= 1 ? ReportFont::Heading1 : ReportFont::Heading2;
            const double h = textHeight(role, b.text, m_width);
            const double before = b.level <= 1 ? 10 : 6;
            ensure(before + h + 4 * lineHeight(ReportFont::Table));   // kept with what follows
            m_y += before;
            text(QRectF(kMargin, m_y, m_width, h), b.text, role, wrap);
            m_y += h + 1;
            if (b.level <= 1)
                line(kMargin, m_y, kMargin + m_width);
            m_y += 3;
            break;
        }
        case ReportBlock::Kind::Text: {
            const double h = textHeight(ReportFont::Body, b.text, m_width);
            ensure(h);
            text(QRectF(kMargin, m_y, m_width, h), b.text, ReportFont::Body, wrap);
            m_y += h + 2;
            break;
        }
        case ReportBlock::Kind::Fields:
            addFields(b);
            break;
        case ReportBlock::Kind::Table:
            addTable(b);
            break;
        }
    }

    void addFields(const ReportBlock& b)
    {
        const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const double half = m_width / 2;
        const double valueWidth = half - kFieldLabel - 6;
        for (qsizetype i = 0; i < b.fields.size(); i += 2) {
            double h = 0;
            for (qsizetype k = i; k < std::min(i + 2, b.fields.size()); ++k)
                h = std::max({h, textHeight(ReportFont::Body, b.fields[k].second, valueWidth),
                              textHeight(ReportFont::BodyBold, b.fields[k].first, kFieldLabel)});
            ensure(h);
            for (qsizetype k = i; k < std::min(i + 2, b.fields.size()); ++k) {
                const double x = kMargin + (k - i) * half;
                text(QRectF(x, m_y, kFieldLabel, h), b.fields[k].first, ReportFont::BodyBold, wrap);
                text(QRectF(x + kFieldLabel, m_y, valueWidth, h), b.fields[k].second, ReportFont::Body, wrap);
            }
            m_y += h + 1;
        }
        m_y += 3;
    }

    void addTable(const ReportBlock& b)
    {
        const qsizetype columns = b.header.size();
        QList<double> widths(columns, 0);
        for (qsizetype c = 0; c < columns; ++c)
            widths[c] = metrics(ReportFont::TableBold).horizontalAdvance(b.header[c].text);
        for (const auto& row : b.rows)
            for (qsizetype c = 0; c < std::min(columns, row.size()); ++c)
                widths[c] = std::max(widths[c], metrics(ReportFont::Table).horizontalAdvance(row[c].text));
        for (double& w : widths)
            w = std::clamp(w + 2 * kCellPad + 1, 24.0, kMaxColumn);

        // Column ranges that fit the width, each after the fixed columns.
        const qsizetype fixed = std::clamp<qsizetype>(b.fixedColumns, 0, columns);
        double fixedWidth = 0;
        for (qsizetype c = 0; c < fixed; ++c)
            fixedWidth += widths[c];
        QList<QList<qsizetype>> ranges;
        QList<qsizetype> current;
        double used = fixedWidth;
        for (qsizetype c = fixed; c < columns; ++c) {
            if (!current.isEmpty() && used + widths[c] > m_width) {
                ranges << current;
                current.clear();
                used = fixedWidth;
            }
            current << c;
            used += widths[c];
        }
        if (!current.isEmpty() || ranges.isEmpty())
            ranges << current;
        for (QList<qsizetype> range : ranges) {
            QList<qsizetype> shown;
            for (qsizetype c = 0; c < fixed; ++c)
                shown << c;
            shown << range;
            addTableRange(b, shown, widths);
        }
        m_y += 4;
    }

    double rowHeight(const QList<ReportCell>& cells, const QList<qsizetype>& shown, const QList<double>& widths,
                     ReportFont role)
    {
        double h = lineHeight(role);
        for (qsizetype c : shown)
            if (c < cells.size())
                h = std::max(h, textHeight(role, cells[c].text, widths[c] - 2 * kCellPad));
        return h + 2;
    }

    void drawRow(const QList<ReportCell>& cells, const QList<qsizetype>& shown, const QList<double>& widths,
                 ReportFont role, double h, const QList<bool>& numeric)
    {
        double x = kMargin;
        for (qsizetype c : shown) {
            if (c < cells.size() && !cells[c].text.isEmpty()) {
                const bool right = role == ReportFont::TableBold ? numeric[c] : cells[c].number.has_value();
                const int align = right ? Qt::AlignRight : Qt::AlignLeft;
                text(QRectF(x + kCellPad, m_y + 1, widths[c] - 2 * kCellPad, h - 2), cells[c].text, role,
                     align | Qt::AlignTop | Qt::TextWordWrap);
            }
            x += widths[c];
        }
    }

    void addTableRange(const ReportBlock& b, const QList<qsizetype>& shown, const QList<double>& widths)
    {
        // A column of numbers has its heading over the numbers' right edge.
        QList<bool> numeric(widths.size(), false);
        for (const auto& row : b.rows)
            for (qsizetype c = 0; c < std::min(row.size(), numeric.size()); ++c)
                numeric[c] = numeric[c] || row[c].number.has_value();
        double total = 0;
        for (qsizetype c : shown)
            total += widths[c];
        const double headerHeight = rowHeight(b.header, shown, widths, ReportFont::TableBold);
        auto header = [&]() {
            shade(QRectF(kMargin, m_y, total, headerHeight));
            drawRow(b.header, shown, widths, ReportFont::TableBold, headerHeight, numeric);
            m_y += headerHeight;
            line(kMargin, m_y, kMargin + total);
        };
        const double first = b.rows.isEmpty() ? 0 : rowHeight(b.rows.first(), shown, widths, ReportFont::Table);
        ensure(headerHeight + first);
        header();
        for (const auto& row : b.rows) {
            const double h = rowHeight(row, shown, widths, ReportFont::Table);
            if (m_y + h > m_bottom) {
                newPage();
                header();
            }
            drawRow(row, shown, widths, ReportFont::Table, h, numeric);
            m_y += h;
            line(kMargin, m_y, kMargin + total);
        }
        m_y += 6;
    }

    void footers(const QString& title)
    {
        const qsizetype n = m_pages.size();
        for (qsizetype i = 0; i < n; ++i) {
            const double y = m_size.height() - kMargin - kFooterHeight + 6;
            const QRectF rect(kMargin, y, m_width, kFooterHeight - 6);
            m_pages[i].items << ReportPageItem{ReportPageItem::Kind::Text, rect, title, ReportFont::Footer,
                                               Qt::AlignLeft | Qt::AlignBottom};
            m_pages[i].items << ReportPageItem{ReportPageItem::Kind::Text, rect,
                                               QStringLiteral("Page %1 of %2").arg(i + 1).arg(n), ReportFont::Footer,
                                               Qt::AlignRight | Qt::AlignBottom};
        }
    }

    QSizeF m_size;
    double m_width = 0;
    double m_bottom = 0;
    double m_y = 0;
    QList<ReportPage> m_pages;
    std::map<ReportFont, QFontMetricsF> m_metrics;
};

} // namespace

QList<ReportPage> ReportLayout::layout(const ReportContent& content)
{
    return PageBuilder(content).pages();
}

QFont ReportLayout::font(ReportFont role)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    int size = 9;
    bool bold = false;
    switch (role) {
    case ReportFont::Body: break;
    case ReportFont::BodyBold: bold = true; break;
    case ReportFont::Title: size = 18; bold = true; break;
    case ReportFont::Heading1: size = 12; bold = true; break;
    case ReportFont::Heading2: size = 10; bold = true; break;
    case ReportFont::Table: size = 8; break;
    case ReportFont::TableBold: size = 8; bold = true; break;
    case ReportFont::Footer: size = 7; break;
    }
    f.setPixelSize(size);
    f.setBold(bold);
    return f;
}

} // namespace platform
