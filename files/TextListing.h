#pragma once

#include <QDateTime>
#include <QStringView>

class QIODevice;

namespace files {

// The plain-text listing of the catalogue: a header, one line per film in padded columns (title,
// duration, quality), the number of films and the date of writing. Windows-1252, CR LF.
class TextListing {
public:
    explicit TextListing(QIODevice& device) : device_(device) { }

    void writeHeader();
    void writeFilm(QStringView title, QStringView duration, QStringView quality);
    void writeFooter(const QDateTime& written);
    int filmCount() const { return filmCount_; }

private:
    void writeLine(const QByteArray& line);

    QIODevice& device_;
    int filmCount_ = 0;
};

}  // namespace files
