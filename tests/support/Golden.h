#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace testing {

// The path of a file of tests/data.
QString testData(const QString& name);

// Text as tables and scenarios write it: "\u{2029}" a character by its code (a lone surrogate too),
// "{1250 × ab}" a text repeated, "\s" a space, "\r", "\n", "\t".
QString unescaped(QString text);

// The rows of the table tests/data/<name>, one a line: its fields, unescaped. Empty lines and lines
// starting with '#' are skipped.
QList<QStringList> tableRows(const QString& name, QChar separator = u'\t');

// A test row for each row of the table tests/data/<name>, named by its line: its fields, unescaped,
// in the column "fields" (QStringList).
void addTableRows(const QString& name, QChar separator = u'\t');

// Compares with the golden file tests/data/<name>, line by line for text; with the environment
// variable CINABREL_WRITE_GOLDEN set, writes the file instead, to make or update it.
void compareWithGolden(const QByteArray& actual, const QString& name);
void compareWithGolden(const QStringList& lines, const QString& name);

// What an .xlsx file holds for a spreadsheet program to read: its workbook, styles, shared texts
// and its sheets as written, one XML element a line (the file's date left out).
QStringList workbookXml(const QString& path);

}  // namespace testing
