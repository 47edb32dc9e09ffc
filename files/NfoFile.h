#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace files {

// What a media centre's .nfo file tells of a film (a `<movie>` document, as Kodi, Jellyfin,
// tinyMediaManager and MediaElch write them); a text stays empty, a list empty and the duration
// negative where the file does not say.
struct NfoFacts {
    QString title;  // <title>, else <originaltitle>
    QString year;  // four digits: <year>, else the year of <premiered>
    qint64 durationMs = -1;  // <runtime>, in minutes in the file
    QStringList genres;  // in file order; "Action / Drame" in one element counts as two
    QStringList directors;
    QStringList actors;  // every <actor>'s <name>, in file order
    QString plot;  // <plot>, else <outline>
};

// Larger files are no media centre's: they are not read.
constexpr qint64 kMaxNfoSize = 4 * 1024 * 1024;

// The facts of a .nfo document; nothing when the bytes are not an XML document whose root is
// <movie> (a release group's text, a web address alone, a television show's file, a broken
// document). What follows the root element, such as the address Kodi allows after it, is left
// unread.
std::optional<NfoFacts> parseNfo(const QByteArray& bytes);

// The same for a file; nothing as well when it is missing, unreadable or larger than kMaxNfoSize.
std::optional<NfoFacts> readNfo(const QString& path);

}  // namespace files
