#include "support/Golden.h"

#include "support/Files.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace testing {

QString testData(const QString& name) { return QStringLiteral(CINABREL_TEST_DATA "/") + name; }

QString unescaped(QString text)
{
    static const QRegularExpression code(QStringLiteral(R"(\\u\{([0-9a-fA-F]+)\})")),
            repeated(QStringLiteral(R"(\{(\d+) × ([^}]*)\})"));
    for (QRegularExpressionMatch match; (match = code.match(text)).hasMatch();) {
        const char32_t c = match.captured(1).toUInt(nullptr, 16);
        text.replace(match.capturedStart(), match.capturedLength(),
                     c > 0xffff ? QString::fromUcs4(&c, 1) : QString(QChar(char16_t(c))));
    }
    for (QRegularExpressionMatch match; (match = repeated.match(text)).hasMatch();)
        text.replace(match.capturedStart(), match.capturedLength(),
                     match.captured(2).repeated(match.captured(1).toInt()));
    return text.replace(QStringLiteral("\\s"), QStringLiteral(" "))
            .replace(QStringLiteral("\\r"), QStringLiteral("\r"))
            .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(QStringLiteral("\\t"), QStringLiteral("\t"));
}

void addTableRows(const QString& name, QChar separator)
{
    QTest::addColumn<QStringList>("fields");
    const QString table = QString::fromUtf8(fileBytes(testData(name)));
    QVERIFY2(!table.isEmpty(), qPrintable(name));
    for (const QString& line : table.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields;
        for (const QString& field : line.split(separator))
            fields.append(unescaped(field.trimmed()));
        QTest::newRow(qPrintable(line.simplified())) << fields;
    }
}

void compareWithGolden(const QByteArray& actual, const QString& name)
{
    if (qEnvironmentVariableIsSet("CINABREL_WRITE_GOLDEN")) {
        QVERIFY(writeBytes(testData(name), actual));
        return;
    }
    QCOMPARE(actual, fileBytes(testData(name)));
}

void compareWithGolden(const QStringList& lines, const QString& name)
{
    if (qEnvironmentVariableIsSet("CINABREL_WRITE_GOLDEN")) {
        QVERIFY(writeBytes(testData(name), lines.join(u'\n').toUtf8() + '\n'));
        return;
    }
    QStringList golden = QString::fromUtf8(fileBytes(testData(name))).split(u'\n');
    golden.removeLast();
    QCOMPARE(lines, golden);
}

namespace {

struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QString attribute(const char* key) const { return attributes.value(QLatin1String(key)).toString(); }
};

QList<Element> elements(const QString& path, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    unzip.waitForFinished();
    QXmlStreamReader xml(unzip.readAllStandardOutput());
    QList<Element> found;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        found.append({xml.name().toString(), xml.attributes(), QString()});
        if (found.last().name == u"t" || found.last().name == u"v")
            found.last().text = xml.readElementText();
    }
    return found;
}

// The looks of the cell formats, by their index: "bold", the framed sides, the alignment.
QStringList looks(const QString& path)
{
    QStringList fonts, borders, looks;
    QString section;
    for (const Element& e : elements(path, QStringLiteral("xl/styles.xml"))) {
        if (e.name == u"fonts" || e.name == u"borders" || e.name == u"cellXfs" || e.name == u"cellStyleXfs")
            section = e.name;
        else if (section == u"fonts" && e.name == u"font")
            fonts.append(QString());
        else if (section == u"fonts" && e.name == u"b")
            fonts.last() = QStringLiteral(" bold");
        else if (section == u"borders" && e.name == u"border")
            borders.append(QString());
        else if (section == u"borders" && !e.attribute("style").isEmpty())
            borders.last() += u' ' + e.name + u':' + e.attribute("style");
        else if (section == u"cellXfs" && e.name == u"xf")
            looks.append(fonts.value(e.attribute("fontId").toInt())
                         + borders.value(e.attribute("borderId").toInt()));
        else if (section == u"cellXfs" && e.name == u"alignment")
            looks.last() += QStringLiteral(" align:") + e.attribute("horizontal");
    }
    return looks;
}

}  // namespace

QStringList workbookCells(const QString& path)
{
    QStringList lines;
    for (const Element& e : elements(path, QStringLiteral("xl/workbook.xml")))
        if (e.name == u"sheet")
            lines.append(QStringLiteral("sheet ") + e.attribute("name"));
    const QStringList look = looks(path);
    QStringList shared;
    for (const Element& e : elements(path, QStringLiteral("xl/sharedStrings.xml"))) {
        if (e.name == u"si")
            shared.append(QString());
        else if (e.name == u"t")
            shared.last() += e.text;
    }
    for (const Element& e : elements(path, QStringLiteral("xl/worksheets/sheet1.xml"))) {
        if (e.name == u"col") {
            lines.append(QStringLiteral("columns %1-%2 width %3%4")
                                 .arg(e.attribute("min"), e.attribute("max"), e.attribute("width"),
                                      look.value(e.attribute("style").toInt())));
        } else if (e.name == u"c") {
            const bool text = e.attribute("t") == u"s" || e.attribute("t") == u"inlineStr";
            lines.append(e.attribute("r") + (text ? QStringLiteral(" s:") : QStringLiteral(" n:")) + u'|'
                         + look.value(e.attribute("s").toInt()));
        } else if ((e.name == u"v" || e.name == u"t") && !lines.isEmpty()) {
            QString& cell = lines.last();
            const bool sharedText = cell.contains(QStringLiteral(" s:|")) && e.name == u"v";
            cell.insert(cell.indexOf(u'|'), sharedText ? shared.value(e.text.toInt()) : e.text);
        }
    }
    return lines;
}

}  // namespace testing
