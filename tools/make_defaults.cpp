// Lays the embedded default beside the program: BD/Film.mdb, an empty catalogue, and
// BD/codec.cnb, the default reference lists. Existing files are left as they are.
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: cinabrel_defaults PROGRAM_FOLDER DEFAULT_CODEC_FILE\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("BD"))) {
        std::fprintf(stderr, "cannot create the BD folder\n");
        return 1;
    }
    const QString catalogue = folder.filePath(QStringLiteral("BD/Film.mdb"));
    if (!QFile::exists(catalogue)) {
        try {
            store::createCatalogue(catalogue);
            // Opened once, it holds the tables the program keeps beside film, as at its first opening.
            store::Database::open(catalogue);
        } catch (const store::DbError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    const QString lists = folder.filePath(QStringLiteral("BD/codec.cnb"));
    if (!QFile::exists(lists) && !QFile::copy(QString::fromLocal8Bit(argv[2]), lists)) {
        std::fprintf(stderr, "cannot copy the reference lists\n");
        return 1;
    }
    QFile::setPermissions(lists, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return 0;
}
