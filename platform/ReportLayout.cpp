#include "platform/ReportLayout.h"

#include "platform/ReportTextLines.h"

#include <QPageSize>

#include <algorithm>
#include <functional>
#include <map>

namespace platform {

namespace {

constexpr double kMargin = 36; // half an inch
constexpr double kFooterHeight = 18;
constexpr double kCellPad = 3;
constexpr double kMaxColumn = 150;
constexpr double kFieldLabel = 118;

// One text box of a row of boxes side by side: a table cell, a field's
// label or value, a heading.
struct Box {
    double x = 0;
    double width = 0;
    QStringList lines;
    ReportFont font = ReportFont::Body;
    int align = Qt::AlignLeft;
    bool repeated = false; // a label: shown again beside the next box on each page that box goes on to
};

class PageBuilder {
public:
    explicit PageBuilder(const ReportContent& content)
    {
        const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
        m_size = content.landscape ? a4.transposed() : a4;
        m_width = m_size.width() - 2 * kMargin;
        m_bottom = m_size.height() - kMargin - kFooterHeight;
        newPage();
        for (qsizetype i = 0; i < content.blocks.size(); ++i)
            add(content.blocks[i], i + 1 < content.blocks.size() ? &content.blocks[i + 1] : nullptr);
        footers(content.title);
    }

    QList<ReportPage> pages() const { return m_pages; }

private:
    const ReportTextLines& lines(ReportFont role)
    {
        auto it = m_lines.find(role);
        if (it == m_lines.end())
            it = m_lines.emplace(role, ReportTextLines(ReportLayout::font(role))).first;
        return it->second;
    }

    double lineHeight(ReportFont role) { return lines(role).lineHeight(); }

    Box box(double x, double width, const QString& text, ReportFont role, int align = Qt::AlignLeft)
    {
        return Box{x, width, lines(role).wrap(text, width), role, align, false};
    }

    // The height of the boxes' lines, the tallest box deciding.
    double height(const QList<Box>& boxes)
    {
        double h = 0;
        for (const Box& b : boxes)
            h = std::max(h, b.lines.size() * lineHeight(b.font));
        return h;
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
        m_pages.last().items << ReportPageItem{
            ReportPageItem::Kind::Line, QRectF(QPointF(x1, y), QPointF(x2, y)), {}, ReportFont::Body, 0};
    }

    void shade(const QRectF& rect)
    {
        m_pages.last().items << ReportPageItem{ReportPageItem::Kind::Shade, rect, {}, ReportFont::Body, 0};
    }

    // Draws lines [from, from + count) of a box, the first at top.
    void drawLines(const Box& b, qsizetype from, qsizetype count, double top)
    {
        const double lh = lineHeight(b.font);
        for (qsizetype i = 0; i < count; ++i) {
            const QString& s = b.lines[from + i];
            if (!s.isEmpty())
                text(QRectF(b.x, top + i * lh, b.width, lh), s, b.font, b.align | Qt::AlignTop | Qt::TextDontClip);
        }
    }

    // Places a row of boxes at the current height with padding above and
    // below. A row that does not fit the rest of the page starts on the
    // next one, unless it is taller than a page: then it begins here and
    // its lines go on at the top of the next pages, below what continued()
    // draws there and beside the repeated boxes.
    void placeRow(
        const QList<Box>& boxes, double padTop, double padBottom, const std::function<void()>& continued = [] {})
    {
        double tallestLine = 0;
        for (const Box& b : boxes)
            tallestLine = std::max(tallestLine, lineHeight(b.font));
        const double h = padTop + height(boxes) + padBottom;
        if (m_y + h > m_bottom && m_y > kMargin
            && (h <= m_bottom - kMargin || m_y + padTop + 2 * tallestLine + padBottom > m_bottom)) {
            newPage();
            continued();
        }
        QList<qsizetype> next(boxes.size(), 0);
        for (bool first = true;; first = false) {
            const QList<qsizetype> started = next;
            const double top = m_y + padTop;
            double used = 0;
            bool more = false;
            for (qsizetype i = 0; i < boxes.size(); ++i) {
                const Box& b = boxes[i];
                if (b.repeated) {
                    // shown again beside the box it labels while that goes on
                    if (!first && (i + 1 >= boxes.size() || started[i + 1] >= boxes[i + 1].lines.size()))
                        continue;
                } else if (next[i] >= b.lines.size()) {
                    continue;
                }
                const double lh = lineHeight(b.font);
                const auto room = std::max<qsizetype>(1, static_cast<qsizetype>((m_bottom - padBottom - top) / lh));
                const qsizetype from = b.repeated ? 0 : next[i];
                const qsizetype count = std::min(room, b.lines.size() - from);
                drawLines(b, from, count, top);
                used = std::max(used, count * lh);
                if (!b.repeated) {
                    next[i] = from + count;
                    more = more || next[i] < b.lines.size();
                }
            }
            m_y = top + used + padBottom;
            if (!more)
                break;
            newPage();
            continued();
        }
    }

    // The space a heading takes, from the gap above it to its rule below.
    double headingHeight(const ReportBlock& b)
    {
        const ReportFont role = b.level <= 1 ? ReportFont::Heading1 : ReportFont::Heading2;
        return (b.level <= 1 ? 10 : 6) + height({box(kMargin, m_width, b.text, role)}) + 4;
    }

    // next: the block after this one, if any.
    void add(const ReportBlock& b, const ReportBlock* next)
    {
        switch (b.kind) {
        case ReportBlock::Kind::Title:
            placeRow({box(kMargin, m_width, b.text, ReportFont::Title, Qt::AlignHCenter)}, 0, 8);
            break;
        case ReportBlock::Kind::Heading: {
            const ReportFont role = b.level <= 1 ? ReportFont::Heading1 : ReportFont::Heading2;
            const Box heading = box(kMargin, m_width, b.text, role);
            const double before = b.level <= 1 ? 10 : 6;
            // kept with what follows: a heading under it and a few lines
            const double under = next && next->kind == ReportBlock::Kind::Heading ? headingHeight(*next) : 0;
            ensure(headingHeight(b) + under + 4 * lineHeight(ReportFont::Table));
            m_y += before;
            placeRow({heading}, 0, 1);
            if (b.level <= 1)
                line(kMargin, m_y, kMargin + m_width);
            m_y += 3;
            break;
        }
        case ReportBlock::Kind::Text: placeRow({box(kMargin, m_width, b.text, ReportFont::Body)}, 0, 2); break;
        case ReportBlock::Kind::Fields: addFields(b); break;
        case ReportBlock::Kind::Table: addTable(b); break;
        }
    }

    // Two fields to a row, each a label and its value; a value taller than
    // a page goes on over the next pages under its label shown again.
    void addFields(const ReportBlock& b)
    {
        const double half = m_width / 2;
        const double valueWidth = half - kFieldLabel - 6;
        for (qsizetype i = 0; i < b.fields.size(); i += 2) {
            QList<Box> row;
            for (qsizetype k = i; k < std::min(i + 2, b.fields.size()); ++k) {
                const double x = kMargin + (k - i) * half;
                row << box(x, kFieldLabel, b.fields[k].first, ReportFont::BodyBold);
                row.last().repeated = true;
                row << box(x + kFieldLabel, valueWidth, b.fields[k].second, ReportFont::Body);
            }
            placeRow(row, 0, 1);
        }
        m_y += 3;
    }

    void addTable(const ReportBlock& b)
    {
        const qsizetype columns = b.header.size();
        QList<double> widths(columns, 0);
        for (qsizetype c = 0; c < columns; ++c)
            widths[c] = lines(ReportFont::TableBold).width(b.header[c].text);
        for (const auto& row : b.rows)
            for (qsizetype c = 0; c < std::min(columns, row.size()); ++c)
                widths[c] = std::max(widths[c], lines(ReportFont::Table).width(row[c].text));
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

    // The boxes of one table row over the columns shown.
    QList<Box> cells(const QList<ReportCell>& row, const QList<qsizetype>& shown, const QList<double>& widths,
                     ReportFont role, const QList<bool>& numeric)
    {
        QList<Box> boxes;
        double x = kMargin;
        for (qsizetype c : shown) {
            const ReportCell cell = c < row.size() ? row[c] : ReportCell{};
            const bool right = role == ReportFont::TableBold ? numeric[c] : cell.number.has_value();
            boxes << box(x + kCellPad, widths[c] - 2 * kCellPad, cell.text, role,
                         right ? Qt::AlignRight : Qt::AlignLeft);
            x += widths[c];
        }
        return boxes;
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
        const QList<Box> headerBoxes = cells(b.header, shown, widths, ReportFont::TableBold, numeric);
        const double headerHeight = height(headerBoxes) + 2;
        auto header = [&]() {
            shade(QRectF(kMargin, m_y, total, headerHeight));
            for (const Box& box : headerBoxes)
                drawLines(box, 0, box.lines.size(), m_y + 1);
            m_y += headerHeight;
            line(kMargin, m_y, kMargin + total);
        };
        QList<QList<Box>> rows;
        rows.reserve(b.rows.size());
        for (const auto& row : b.rows)
            rows << cells(row, shown, widths, ReportFont::Table, numeric);
        ensure(headerHeight + (rows.isEmpty() ? 0 : height(rows.first()) + 2));
        header();
        for (const QList<Box>& row : rows) {
            placeRow(row, 1, 1, header);
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
    std::map<ReportFont, ReportTextLines> m_lines;
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
    case ReportFont::Title:
        size = 18;
        bold = true;
        break;
    case ReportFont::Heading1:
        size = 12;
        bold = true;
        break;
    case ReportFont::Heading2:
        size = 10;
        bold = true;
        break;
    case ReportFont::Table: size = 8; break;
    case ReportFont::TableBold:
        size = 8;
        bold = true;
        break;
    case ReportFont::Footer: size = 7; break;
    }
    f.setPixelSize(size);
    f.setBold(bold);
    return f;
}

} // namespace platform
