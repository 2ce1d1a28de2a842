#include "XlsxCells.h"

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

namespace xlsxcells {

namespace {

QByteArray member(const QString& path, const QString& name)
{
    QProcess p;
    p.start("unzip", {"-p", path, name});
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

// "B12" -> column 1.
int columnOf(const QString& reference)
{
    int column = 0;
    for (QChar c : reference) {
        if (!c.isLetter())
            break;
        column = column * 26 + (c.toLatin1() - 'A' + 1);
    }
    return column - 1;
}

} // namespace

QList<QList<Cell>> read(const QString& path)
{
    QStringList shared;
    QXmlStreamReader strings(member(path, "xl/sharedStrings.xml"));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == QLatin1String("si"))
            shared << QString();
        else if (strings.isStartElement() && strings.name() == QLatin1String("t"))
            shared.last() += strings.readElementText();
    }

    QList<QList<Cell>> rows;
    QXmlStreamReader sheet(member(path, "xl/worksheets/sheet1.xml"));
    int row = -1;
    int column = 0;
    QString type;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement())
            continue;
        if (sheet.name() == QLatin1String("row")) {
            row = sheet.attributes().value("r").toInt() - 1;
            while (rows.size() <= row)
                rows << QList<Cell>{};
        } else if (sheet.name() == QLatin1String("c")) {
            column = columnOf(sheet.attributes().value("r").toString());
            type = sheet.attributes().value("t").toString();
        } else if (sheet.name() == QLatin1String("v")) {
            const QString v = sheet.readElementText();
            while (rows[row].size() <= column)
                rows[row] << Cell{};
            rows[row][column] = type == "s" ? Cell{shared.value(v.toInt()), false} : Cell{v, true};
        }
    }
    return rows;
}

} // namespace xlsxcells
