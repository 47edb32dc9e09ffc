#include "files/NfoFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace files {

namespace {

// An element's text, its children's included, without the blanks around it.
QString textOf(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

// Older files hold several names in one element: "Action / Drame".
void addNames(QStringList& names, const QString& text)
{
    for (const QString& part : text.split(u'/')) {
        const QString name = part.trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
}

// The <name> of an <actor>, whose other children (role, order, thumb) are left.
QString actorName(QXmlStreamReader& xml)
{
    QString name;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name" && name.isEmpty())
            name = textOf(xml);
        else
            xml.skipCurrentElement();
    }
    return name;
}

// "2001", or the year of "2001-04-25"; a year of zeros is the writer's "unknown".
QString yearOf(const QString& text)
{
    static const QRegularExpression year(QStringLiteral(R"(^(\d{4})(?:-|$))"));
    const QRegularExpressionMatch match = year.match(text);
    return match.hasMatch() && match.captured(1) != u"0000" ? match.captured(1) : QString();
}

// "122", or "122 min" as older writers put it; zero is the writer's "unknown".
qint64 durationOf(const QString& text)
{
    static const QRegularExpression minutes(QStringLiteral(R"(^(\d{1,6})(?!\d))"));
    const QRegularExpressionMatch match = minutes.match(text);
    const qint64 count = match.hasMatch() ? match.captured(1).toLongLong() : 0;
    return count > 0 ? count * 60'000 : -1;
}

}  // namespace

std::optional<NfoFacts> parseNfo(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"movie")
        return std::nullopt;
    NfoFacts facts;
    QString originalTitle, year, premiered, outline;
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        if (name == u"title")
            facts.title = textOf(xml);
        else if (name == u"originaltitle")
            originalTitle = textOf(xml);
        else if (name == u"year")
            year = yearOf(textOf(xml));
        else if (name == u"premiered")
            premiered = yearOf(textOf(xml));
        else if (name == u"runtime")
            facts.durationMs = durationOf(textOf(xml));
        else if (name == u"genre")
            addNames(facts.genres, textOf(xml));
        else if (name == u"director")
            addNames(facts.directors, textOf(xml));
        else if (name == u"actor") {
            const QString actor = actorName(xml);
            if (!actor.isEmpty())
                facts.actors.append(actor);
        } else if (name == u"plot")
            facts.plot = textOf(xml);
        else if (name == u"outline")
            outline = textOf(xml);
        else
            xml.skipCurrentElement();
    }
    // Only a root read to its end counts: a broken document may hold anything.
    if (xml.hasError())
        return std::nullopt;
    if (facts.title.isEmpty())
        facts.title = originalTitle;
    facts.year = year.isEmpty() ? premiered : year;
    if (facts.plot.isEmpty())
        facts.plot = outline;
    return facts;
}

std::optional<NfoFacts> readNfo(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxNfoSize)
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxNfoSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxNfoSize)
        return std::nullopt;
    return parseNfo(bytes);
}

}  // namespace files
