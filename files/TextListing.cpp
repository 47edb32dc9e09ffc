#include "files/TextListing.h"

#include "files/Windows1252.h"

#include <QIODevice>

namespace files {

namespace {

// The duration column starts 38 characters after the title's start, the quality 21 after the
// duration's; a longer value pushes the rest of the line right instead of being cut.
constexpr qsizetype kTitleColumn = 38;
constexpr qsizetype kDurationColumn = 21;

void appendPadded(QByteArray& line, const QByteArray& value, qsizetype column)
{
    line += value;
    if (value.size() < column)
        line.append(column - value.size(), ' ');
}

}  // namespace

void TextListing::writeHeader()
{
    writeLine(
            toWindows1252(QString(QStringLiteral("   *Titre*") + QString(30, u' ') + QStringLiteral("*Durée*")
                                  + QString(11, u' ') + QStringLiteral("*Qualité*"))));
    writeLine({});
    writeLine({});
}

void TextListing::writeFilm(QStringView title, QStringView duration, QStringView quality)
{
    // Padding is counted in the bytes written, so the columns line up in the file whatever
    // characters the values hold.
    QByteArray line("-> ");
    appendPadded(line, toWindows1252(title), kTitleColumn);
    appendPadded(line, toWindows1252(duration), kDurationColumn);
    line += toWindows1252(quality);
    writeLine(line);
    ++filmCount_;
}

void TextListing::writeFooter(const QDateTime& written)
{
    writeLine({});
    writeLine({});
    writeLine("** Nombre de fim(s):  " + QByteArray::number(filmCount_));
    writeLine({});
    writeLine({});
    writeLine(toWindows1252(QStringLiteral("** Fichier mis à jour le ")
                            + written.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" à ")
                            + written.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" **")));
}

void TextListing::writeLine(const QByteArray& line)
{
    device_.write(line);
    device_.write("\r\n", 2);
}

}  // namespace files
