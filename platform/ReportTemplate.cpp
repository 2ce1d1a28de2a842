#include "platform/ReportTemplate.h"

#include "platform/ReportError.h"

#include <QFile>
#include <QXmlStreamReader>

namespace platform {

namespace {

class TemplateReader {
public:
    explicit TemplateReader(QIODevice* device) : m_xml(device) {}

    ReportTemplate read()
    {
        ReportTemplate t;
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("report"))
            fail(QStringLiteral("the file is not a report template"));
        t.name = attribute("name");
        const QString source = attribute("source", QStringLiteral("file"));
        if (source != QLatin1String("file") && source != QLatin1String("server"))
            fail(QStringLiteral("unknown source \"%1\"").arg(source));
        t.source = source == QLatin1String("server") ? ReportTemplate::Source::Server : ReportTemplate::Source::File;
        t.landscape = attribute("orientation") == QLatin1String("landscape");
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("map"))
                readMap(t);
            else
                t.elements << readElement();
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
        return t;
    }

private:
    [[noreturn]] void fail(const QString& why) const
    {
        throw ReportError(QStringLiteral("Report template error at line %1: %2").arg(m_xml.lineNumber()).arg(why));
    }

    QString attribute(const char* name, const QString& fallback = QString()) const
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        return a.hasAttribute(QLatin1String(name)) ? a.value(QLatin1String(name)).toString() : fallback;
    }

    bool yes(const char* name) const { return attribute(name) == QLatin1String("yes"); }

    QString requiredAttribute(const char* name) const
    {
        const QString value = attribute(name);
        if (value.isEmpty())
            fail(QStringLiteral("<%1> needs %2").arg(m_xml.name().toString(), QLatin1String(name)));
        return value;
    }

    QString text()
    {
        const QString value = m_xml.readElementText();
        if (m_xml.hasError())
            fail(m_xml.errorString());
        return value;
    }

    void readMap(ReportTemplate& t)
    {
        QHash<QString, QString>& map = t.maps[requiredAttribute("name")];
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("entry"))
                fail(QStringLiteral("a map holds entries only"));
            const QString key = requiredAttribute("key");
            map.insert(key, text());
        }
    }

    ReportElement readElement()
    {
        ReportElement e;
        const auto name = m_xml.name();
        if (name == QLatin1String("title")) {
            e.kind = ReportElement::Kind::Title;
            m_xml.skipCurrentElement();
        } else if (name == QLatin1String("heading")) {
            e.kind = ReportElement::Kind::Heading;
            e.level = attribute("level", QStringLiteral("1")).toInt();
            e.text = text();
        } else if (name == QLatin1String("text")) {
            e.kind = ReportElement::Kind::Text;
            e.text = text();
        } else if (name == QLatin1String("fields")) {
            e.kind = ReportElement::Kind::Fields;
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() != QLatin1String("field"))
                    fail(QStringLiteral("<fields> holds fields only"));
                ReportField f;
                f.label = attribute("label");
                f.value = text();
                e.fields << f;
            }
        } else if (name == QLatin1String("table")) {
            readTable(e);
        } else if (name == QLatin1String("band")) {
            e.kind = ReportElement::Kind::Band;
            e.query = requiredAttribute("query");
            e.required = yes("required");
            while (m_xml.readNextStartElement())
                e.children << readElement();
        } else {
            fail(QStringLiteral("unknown element <%1>").arg(name.toString()));
        }
        return e;
    }

    void readTable(ReportElement& e)
    {
        e.kind = ReportElement::Kind::Table;
        e.query = attribute("query");
        e.letters = attribute("letters");
        if (e.query.isEmpty() == e.letters.isEmpty())
            fail(QStringLiteral("a table takes its rows from either a query or letters"));
        if (!e.letters.isEmpty() && !isLetterRange(e.letters))
            fail(QStringLiteral("letters must be a range such as A-P"));
        e.fixedColumns = attribute("fixed", QStringLiteral("1")).toInt();
        while (m_xml.readNextStartElement()) {
            ReportColumn c;
            if (m_xml.name() == QLatin1String("columns"))
                c.query = requiredAttribute("query");
            else if (m_xml.name() != QLatin1String("column"))
                fail(QStringLiteral("a table holds columns only"));
            c.title = attribute("title");
            c.key = yes("key");
            c.cell = text();
            e.columns << c;
        }
        if (e.columns.isEmpty())
            fail(QStringLiteral("a table needs columns"));
    }

    static bool isLetterRange(const QString& s)
    {
        return s.size() == 3 && s[0].isUpper() && s[1] == QLatin1Char('-') && s[2].isUpper() && s[0] <= s[2];
    }

    QXmlStreamReader m_xml;
};

} // namespace

ReportTemplate ReportTemplate::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot open report template %1: %2").arg(path, file.errorString()));
    return TemplateReader(&file).read();
}

} // namespace platform
