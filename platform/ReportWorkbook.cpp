#include "platform/ReportWorkbook.h"

#include "platform/ReportError.h"
#include "platform/ReportTabText.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>

namespace platform::ReportWorkbook {

namespace {

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

[[noreturn]] void fail(const QString& path, const QString& why)
{
    throw ReportError(QStringLiteral("Cannot write the workbook %1: %2").arg(path, why));
}

} // namespace

void Write(const ReportContent& content, const QString& path)
{
    // The workbook library writes only to a file of its own: a scratch file,
    // whose bytes then replace the target whole.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        fail(path, QStringLiteral("no scratch folder: ") + scratch.errorString());
    const QString part = scratch.filePath(QStringLiteral("workbook.xlsx"));
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook* workbook = workbook_new(partName.constData());
    if (!workbook)
        fail(path, QStringLiteral("the workbook could not be made"));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Test Report");
    QHash<int, lxw_format*> numberFormats;
    QList<double> widths;

    const QList<QList<ReportCell>> rows = ReportTabText::Rows(content);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const ReportCell& cell = rows[r][c];
            if (widths.size() <= c)
                widths.resize(c + 1, 8);
            if (cell.text.isEmpty())
                continue;
            if (cell.number) {
                const int decimals = decimalsOf(cell.text);
                lxw_format*& format = numberFormats[decimals];
                if (!format) {
                    format = workbook_add_format(workbook);
                    const QByteArray pattern =
                        decimals ? QByteArray("0.") + QByteArray(decimals, '0') : QByteArray("0");
                    format_set_num_format(format, pattern.constData());
                }
                worksheet_write_number(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), *cell.number,
                                       format);
            } else {
                worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                       cellText(cell.text).toUtf8().constData(), nullptr);
            }
            if (rows[r].size() > 1)   // single-cell rows (titles, headings) may run over
                widths[c] = std::max(widths[c], std::min(40.0, cell.text.size() + 2.0));
        }
    }
    for (qsizetype c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c], nullptr);

    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        fail(path, QString::fromUtf8(lxw_strerror(error)));
    QByteArray bytes;
    QString why;
    if (WholeFile::read(part, &bytes, &why) != WholeFile::ReadResult::Read || !WholeFile::save(path, bytes, &why))
        fail(path, why);
}

} // namespace platform::ReportWorkbook
