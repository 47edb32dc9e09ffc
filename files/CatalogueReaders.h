#pragma once

#include "files/CatalogueFile.h"

#include <QByteArray>
#include <QString>

// The readers of each catalogue format, used by readCatalogueFile alone.
namespace files::catalogue {

// What is wrong with a file's content, in French; readCatalogueFile adds the file's name.
struct Fault {
    QString reason;
};

// A table saved by a spreadsheet: its encoding and separator found from its bytes.
CatalogueContent readTable(const QByteArray& bytes);

// The XML formats, told apart by their root element.
CatalogueContent readXmlCatalogue(const QByteArray& bytes);

// The same reason for every file that is none of the formats.
QString unknownFormat();

// A number as the messages write it: "100 000".
QString frenchNumber(int number);

// Adds a film read; throws the fault of a file of more than kMaxCatalogueFilms films.
void addFilm(CatalogueContent& content, ImportedFilm&& film);

}  // namespace files::catalogue
