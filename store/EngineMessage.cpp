#include "store/EngineMessage.h"

#include "store/DbError.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace store {

namespace {

// The engine explains a statement it refused in English; these, the ones a statement of the
// program or a damaged catalogue can meet, are told in French with the name they concern.
QString refusedStatement(sqlite3* db)
{
    static const struct {
        QRegularExpression english;
        const char* french;
    } explanations[] = {
            {QRegularExpression(QStringLiteral("^no such table: (.+)$")), "la table « %1 » n'existe pas"},
            {QRegularExpression(QStringLiteral("^no such column: (.+)$")), "la colonne « %1 » n'existe pas"},
            {QRegularExpression(QStringLiteral("^table (.+) has no column named (.+)$")),
             "la table « %1 » n'a pas de colonne « %2 »"},
            {QRegularExpression(QStringLiteral("^no such function: (.+)$")),
             "la fonction « %1 » n'existe pas"},
            {QRegularExpression(QStringLiteral("^no such collation sequence: (.+)$")),
             "l'ordre de tri « %1 » n'existe pas"},
            {QRegularExpression(QStringLiteral("^near \"(.*)\": syntax error$")),
             "l'instruction est mal formée près de « %1 »"},
            {QRegularExpression(QStringLiteral("^unrecognized token: \"?(.*?)\"?$")),
             "l'instruction contient un mot inconnu : %1"},
            {QRegularExpression(QStringLiteral("^incomplete input$")), "l'instruction est incomplète"},
    };
    const QString text = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    for (const auto& explanation : explanations) {
        const QRegularExpressionMatch match = explanation.english.match(text);
        if (!match.hasMatch())
            continue;
        QString french = QString::fromUtf8(explanation.french);
        for (int i = 1; i <= match.lastCapturedIndex(); ++i)
            french = french.arg(match.captured(i));
        return french;
    }
    return QStringLiteral("la base de donnée ne comprend pas l'instruction (erreur %1)").arg(SQLITE_ERROR);
}

QString refusedValue(sqlite3* db, int code)
{
    switch (code) {
    case SQLITE_CONSTRAINT_TRIGGER:
        // A rule of the catalogue's own refuses in the words its author gave it.
        if (db)
            return QStringLiteral("une règle de la base de donnée refuse l'opération : %1")
                    .arg(QString::fromUtf8(sqlite3_errmsg(db)));
        break;
    case SQLITE_CONSTRAINT_NOTNULL:
        return QStringLiteral("une valeur obligatoire manque");
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_ROWID:
        return QStringLiteral("ce numéro ou cette valeur existe déjà");
    case SQLITE_CONSTRAINT_CHECK:
        return QStringLiteral("une valeur est hors des limites permises");
    case SQLITE_CONSTRAINT_DATATYPE:
        return QStringLiteral("une valeur n'est pas du type attendu");
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return QStringLiteral("une valeur renvoie à un élément qui n'existe pas");
    }
    return QStringLiteral("une valeur ne respecte pas les règles de la table");
}

}  // namespace

QString engineMessage(sqlite3* db, int code)
{
    switch (code) {
    case SQLITE_IOERR_READ:
    case SQLITE_IOERR_SHORT_READ:
        return QStringLiteral("le disque a refusé une lecture");
    case SQLITE_IOERR_WRITE:
    case SQLITE_IOERR_FSYNC:
    case SQLITE_IOERR_DIR_FSYNC:
    case SQLITE_IOERR_TRUNCATE:
        return QStringLiteral("le disque a refusé une écriture");
    }
    switch (code & 0xff) {
    case SQLITE_ERROR:
        return refusedStatement(db);
    case SQLITE_CONSTRAINT:
        return refusedValue(db, code);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("la base de donnée est utilisée par un autre programme");
    case SQLITE_FULL:
        return QStringLiteral("le disque est plein");
    case SQLITE_IOERR:
        return QStringLiteral("le disque a refusé l'accès au fichier");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return QStringLiteral("le fichier est endommagé ou n'est pas une base de donnée");
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("le fichier ne peut pas être modifié");
    case SQLITE_CANTOPEN:
        return QStringLiteral("le fichier ne peut pas être ouvert");
    case SQLITE_NOMEM:
        return QStringLiteral("la mémoire est insuffisante");
    case SQLITE_TOOBIG:
        return QStringLiteral("une valeur est trop longue pour la base de donnée");
    case SQLITE_MISMATCH:
        return QStringLiteral("une valeur n'est pas du type attendu");
    case SQLITE_RANGE:
        return QStringLiteral("l'instruction attend un autre nombre de valeurs");
    case SQLITE_SCHEMA:
        return QStringLiteral("la structure de la base de donnée a changé pendant l'opération");
    case SQLITE_AUTH:
        return QStringLiteral("l'accès à la base de donnée est refusé");
    case SQLITE_PROTOCOL:
        return QStringLiteral("le fichier n'a pas pu être verrouillé");
    case SQLITE_INTERRUPT:
        return QStringLiteral("l'opération a été interrompue");
    case SQLITE_ABORT:
        return QStringLiteral("l'opération a été abandonnée");
    case SQLITE_NOLFS:
        return QStringLiteral("le système ne permet pas un fichier aussi grand");
    }
    return QStringLiteral("le moteur de base de donnée a signalé l'erreur %1").arg(code);
}

void throwEngineError(sqlite3* db, int code, const QString& what)
{
    throw DbError(QStringLiteral("%1 : %2").arg(what, engineMessage(db, code)), code);
}

}  // namespace store

namespace store {

bool DbError::notACatalogue() const
{
    const int kind = engineCode_ & 0xff;
    return file_ == File::NotACatalogue || kind == SQLITE_CORRUPT || kind == SQLITE_NOTADB
            || kind == SQLITE_FORMAT;
}

bool DbError::outsideTheProgram() const
{
    switch (engineCode_ & 0xff) {
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return true;
    }
    return false;
}

}  // namespace store
