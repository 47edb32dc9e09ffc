#pragma once

#include "files/CatalogueFile.h"

#include <QXmlStreamReader>
#include <functional>

// The catalogue formats written in XML, read by readXmlCatalogue once their root element is known.
namespace files::catalogue {

// Each reader takes the reader standing on the root element and reads the document to its end.
CatalogueContent readTellico(QXmlStreamReader& xml);
CatalogueContent readGcstar(QXmlStreamReader& xml);
CatalogueContent readAntMovieCatalog(QXmlStreamReader& xml);

// Reads the document to its end, calling element(line) on each element that starts, with the line
// where it starts; element may read or skip it whole. Throws the fault of a document that is not
// well-formed or stops before its end, naming the line.
void readElements(QXmlStreamReader& xml, const std::function<void(int line)>& element);

// The text of the element the reader stands on, that of its children included, trimmed; the reader
// then stands on its end.
QString elementText(QXmlStreamReader& xml);

}  // namespace files::catalogue
