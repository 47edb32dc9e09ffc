#include "support/Golden.h"

#include "support/Files.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

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

namespace {

// Each row of a table with the line it comes from.
QList<std::pair<QString, QStringList>> tableLines(const QString& name, QChar separator)
{
    QList<std::pair<QString, QStringList>> rows;
    const QString table = QString::fromUtf8(fileBytes(testData(name)));
    if (table.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("empty or missing table %1").arg(name)), __FILE__, __LINE__);
    for (const QString& line : table.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields;
        for (const QString& field : line.split(separator))
            fields.append(unescaped(field.trimmed()));
        rows.append({line, fields});
    }
    return rows;
}

}  // namespace

QList<QStringList> tableRows(const QString& name, QChar separator)
{
    QList<QStringList> rows;
    for (auto& [line, fields] : tableLines(name, separator))
        rows.append(std::move(fields));
    return rows;
}

void addTableRows(const QString& name, QChar separator)
{
    QTest::addColumn<QStringList>("fields");
    for (const auto& [line, fields] : tableLines(name, separator))
        QTest::newRow(qPrintable(line.simplified())) << fields;
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

QStringList workbookXml(const QString& path)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"),
                {QStringLiteral("-p"), path, QStringLiteral("xl/workbook.xml"),
                 QStringLiteral("xl/styles.xml"), QStringLiteral("xl/sharedStrings.xml"),
                 QStringLiteral("xl/worksheets/sheet*.xml")});
    unzip.waitForFinished();
    // One element a line; a text holds no "><", its brackets being written as entities.
    return QString::fromUtf8(unzip.readAllStandardOutput())
            .replace(QStringLiteral("><"), QStringLiteral(">\n<"))
            .split(u'\n');
}

}  // namespace testing
