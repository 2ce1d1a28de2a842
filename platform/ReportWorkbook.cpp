#include "platform/ReportWorkbook.h"

#include "platform/ReportError.h"
#include "platform/ReportTabText.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

namespace platform {

namespace ReportWorkbook {

namespace {

// The most characters a cell holds.
constexpr qsizetype kCellCharacters = 32767;

int decimalsOf(const QString& text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : static_cast<int>(text.size() - dot - 1);
}

// Line breaks as a cell keeps them, and no other control characters.
QString cellText(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n?"));
    static const QRegularExpression controls(QStringLiteral("[\x01-\x09\x0b-\x1f]"));
    return QString(text).replace(breaks, QStringLiteral("\n")).replace(controls, QStringLiteral(" "));
}

// A text in pieces that each fit a cell and that join back to the text: cut
// after the last space or line break that fits, or, in a word longer than a
// cell, where the cell is full (never inside a surrogate pair).
QStringList cellPieces(const QString& text)
{
    QStringList pieces;
    qsizetype from = 0;
    while (text.size() - from > kCellCharacters) {
        const qsizetype full = from + kCellCharacters;
        qsizetype cut = full;
        while (cut > from && text[cut - 1] != QLatin1Char(' ') && text[cut - 1] != QLatin1Char('\n'))
            --cut;
        if (cut == from)
            cut = text[full - 1].isHighSurrogate() ? full - 1 : full;
        pieces << text.mid(from, cut - from);
        from = cut;
    }
    pieces << text.mid(from);
    return pieces;
}

[[noreturn]] void fail(const QString& path, const QString& why)
{
    throw ReportError(QStringLiteral("Cannot write the workbook %1: %2").arg(path, why));
}

// The sheet being written, every write checked: a cell the library refuses
// fails the whole workbook, naming the cell.
class Sheet {
public:
    Sheet(lxw_workbook* workbook, const QString& path) : m_workbook(workbook), m_path(path)
    {
        m_sheet = workbook_add_worksheet(workbook, "Test Report");
        if (!m_sheet)
            fail(m_path, QStringLiteral("the sheet could not be made"));
    }

    void number(qsizetype row, qsizetype column, double value, int decimals)
    {
        check(worksheet_write_number(m_sheet, rowOf(row), columnOf(column), value, numberFormat(decimals)), row,
              column);
    }

    void text(qsizetype row, qsizetype column, const QString& text)
    {
        check(worksheet_write_string(m_sheet, rowOf(row), columnOf(column), text.toUtf8().constData(), nullptr), row,
              column);
    }

    void setWidth(qsizetype column, double width)
    {
        const lxw_error error = worksheet_set_column(m_sheet, columnOf(column), columnOf(column), width, nullptr);
        if (error != LXW_NO_ERROR)
            fail(m_path, QStringLiteral("column %1: %2").arg(column + 1).arg(QString::fromUtf8(lxw_strerror(error))));
    }

private:
    // Rows and columns are written in order, so the first past the sheet's
    // edge is refused before any could wrap round in the library's types.
    static lxw_row_t rowOf(qsizetype row) { return static_cast<lxw_row_t>(row); }
    static lxw_col_t columnOf(qsizetype column) { return static_cast<lxw_col_t>(column); }

    void check(lxw_error error, qsizetype row, qsizetype column) const
    {
        if (error != LXW_NO_ERROR)
            fail(m_path, QStringLiteral("row %1, column %2: %3")
                             .arg(row + 1)
                             .arg(column + 1)
                             .arg(QString::fromUtf8(lxw_strerror(error))));
    }

    lxw_format* numberFormat(int decimals)
    {
        lxw_format*& format = m_numberFormats[decimals];
        if (!format) {
            format = workbook_add_format(m_workbook);
            if (!format)
                fail(m_path, QStringLiteral("the number format could not be made"));
            const QByteArray pattern = decimals ? QByteArray("0.") + QByteArray(decimals, '0') : QByteArray("0");
            format_set_num_format(format, pattern.constData());
        }
        return format;
    }

    lxw_workbook* m_workbook;
    lxw_worksheet* m_sheet = nullptr;
    QString m_path;
    QHash<int, lxw_format*> m_numberFormats;
};

} // namespace

void write(const ReportContent& content, const QString& path)
{
    // The workbook library writes only to a file of its own: a scratch file,
    // whose bytes then replace the target whole.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        fail(path, QStringLiteral("no scratch folder: ") + scratch.errorString());
    const QString part = scratch.filePath(QStringLiteral("workbook.xlsx"));
    const QByteArray partName = QFile::encodeName(part);
    std::unique_ptr<lxw_workbook, decltype(&lxw_workbook_free)> workbook(workbook_new(partName.constData()),
                                                                         &lxw_workbook_free);
    if (!workbook)
        fail(path, QStringLiteral("the workbook could not be made"));
    Sheet sheet(workbook.get(), path);
    QList<double> widths;

    // A text longer than a cell holds goes on in the cells below it, and the
    // next row of the report after its last piece.
    qsizetype sheetRow = 0;
    for (const QList<ReportCell>& row : ReportTabText::rows(content)) {
        qsizetype height = 1;
        for (qsizetype c = 0; c < row.size(); ++c) {
            const ReportCell& cell = row[c];
            if (widths.size() <= c)
                widths.resize(c + 1, 8);
            if (cell.text.isEmpty())
                continue;
            if (cell.number) {
                sheet.number(sheetRow, c, *cell.number, decimalsOf(cell.text));
            } else {
                const QStringList pieces = cellPieces(cellText(cell.text));
                for (qsizetype p = 0; p < pieces.size(); ++p)
                    sheet.text(sheetRow + p, c, pieces[p]);
                height = std::max(height, pieces.size());
            }
            if (row.size() > 1) // single-cell rows (titles, headings) may run over
                widths[c] = std::max(widths[c], std::min(40.0, cell.text.size() + 2.0));
        }
        sheetRow += height;
    }
    for (qsizetype c = 0; c < widths.size(); ++c)
        sheet.setWidth(c, widths[c]);

    // Closing frees the workbook, whether it was written or not.
    const lxw_error error = workbook_close(workbook.release());
    if (error != LXW_NO_ERROR)
        fail(path, QString::fromUtf8(lxw_strerror(error)));
    QByteArray bytes;
    QString why;
    if (WholeFile::read(part, &bytes, &why) != WholeFile::ReadResult::Read || !WholeFile::save(path, bytes, &why))
        fail(path, why);
}

} // namespace ReportWorkbook

} // namespace platform
