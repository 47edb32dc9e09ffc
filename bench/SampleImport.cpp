#include "SampleImport.h"

#include <QFile>
#include <QStringList>

namespace bench {

namespace {

struct SampleFilm {
    QString title, director, actors, year, duration, genre, medium, language, plot, borrower, loanDate;
};

SampleFilm sampleFilm(int n)
{
    const QStringList genres = {"Action", "Comédie", "Drame", "Science-fiction", "Policier", "Western"};
    const QStringList media = {"DVD", "Divx", "Blu-ray", "Avi"};
    const QStringList languages = {"Français", "English", "Deutsch"};
    const bool lent = n % 97 == 0;
    return {QStringLiteral("Film n°%1 : l'été \"%2\"").arg(n).arg(n % 13),
            QStringLiteral("Réalisateur %1").arg(n % 500),
            QStringLiteral("Acteur %1, Actrice %2").arg(n % 300).arg(n % 700),
            QString::number(1950 + n % 75),
            QStringLiteral("%1 min").arg(80 + n % 90),
            genres[n % genres.size()],
            media[n % media.size()],
            languages[n % languages.size()],
            QStringLiteral("Résumé du film %1.\nSa deuxième ligne ; avec un point-virgule.").arg(n),
            lent ? QStringLiteral("Ami %1").arg(n) : QString(),
            lent ? QStringLiteral("2026-12-01") : QString()};
}

QString cell(QString text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString escaped(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;")).replace(u'<', QStringLiteral("&lt;"));
}

void write(const QString& path, const QString& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
}

}  // namespace

void writeImportTable(const QString& path, int count)
{
    QString text = QStringLiteral("Titre;Réalisateur;Acteurs;Année;Durée;Genre;Support;Langue;Synopsis;"
                                  "Emprunté par;Date du prêt\n");
    for (int n = 1; n <= count; ++n) {
        const SampleFilm f = sampleFilm(n);
        text += QStringList {cell(f.title), f.director, f.actors,     f.year,     f.duration, f.genre,
                             f.medium,      f.language, cell(f.plot), f.borrower, f.loanDate}
                        .join(u';')
                + u'\n';
    }
    write(path, text);
}

void writeTellicoCollection(const QString& path, int count)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n"
                                  " <collection title=\"Vidéos\" type=\"3\">\n");
    QString loans;
    for (int n = 1; n <= count; ++n) {
        const SampleFilm f = sampleFilm(n);
        text += QStringLiteral("  <entry id=\"%1\">\n   <title>%2</title>\n   <medium>%3</medium>\n"
                               "   <year>%4</year>\n   <genres><genre>%5</genre></genres>\n"
                               "   <languages><language>%6</language></languages>\n"
                               "   <casts><cast><column>%7</column><column>Rôle</column></cast></casts>\n"
                               "   <directors><director>%8</director></directors>\n"
                               "   <running-time>%9</running-time>\n   <plot>%10</plot>\n  </entry>\n")
                        .arg(n)
                        .arg(escaped(f.title), f.medium, f.year, f.genre, f.language, f.actors, f.director,
                             QString::number(80 + n % 90),
                             escaped(f.plot).replace(u'\n', QStringLiteral("&lt;br/&gt;")));
        if (!f.borrower.isEmpty())
            loans += QStringLiteral("   <borrower name=\"%1\" uid=\"%2\"><loan uid=\"l%2\" entryRef=\"%2\" "
                                    "loanDate=\"%3\"/></borrower>\n")
                             .arg(f.borrower)
                             .arg(n)
                             .arg(f.loanDate);
    }
    text += QStringLiteral("  <borrowers>\n") + loans
            + QStringLiteral("  </borrowers>\n </collection>\n</tellico>\n");
    write(path, text);
}

}  // namespace bench
