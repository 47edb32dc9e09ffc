#include "store/Recordset.h"

#include "store/DbError.h"

#include <sqlite3.h>

namespace store {

void Recordset::open(const Statement& statement, Database& connection)
{
    close();
    openPrepared(connection.prepare(statement));
}

void Recordset::open(const QString& source, Database& connection)
{
    close();
    openPrepared(connection.prepare(source));
}

void Recordset::openPrepared(PreparedStatement prepared)
{
    const int columns = sqlite3_column_count(prepared.get());
    if (columns == 0) {
        while (prepared.step()) { }
        return;
    }
    const bool hasRow = prepared.step();
    names_.clear();
    for (int i = 0; i < columns; ++i)
        names_.append(QString::fromUtf8(sqlite3_column_name(prepared.get(), i)));
    statement_ = std::move(prepared);
    open_ = true;
    eof_ = !hasRow;
}

void Recordset::close()
{
    statement_.release();
    open_ = false;
    eof_ = true;
}

bool Recordset::eof() const
{
    if (!open_)
        throw DbError(QStringLiteral("Opération impossible : le jeu d'enregistrements est fermé."));
    return eof_;
}

void Recordset::moveNext()
{
    requireRow();
    eof_ = !statement_.step();
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DbError(QStringLiteral("Le champ « %1 » n'existe pas dans le résultat.").arg(name));
}

void Recordset::requireRow() const
{
    if (eof())
        throw DbError(QStringLiteral("Aucun enregistrement courant."));
}

void Recordset::requireField(int index) const
{
    requireRow();
    if (index < 0 || index >= names_.size())
        throw DbError(QStringLiteral("Champ hors du résultat."));
}

bool Recordset::isNull(int index) const
{
    requireField(index);
    return sqlite3_column_type(statement_.get(), index) == SQLITE_NULL;
}

QVariant Recordset::value(int index) const
{
    requireField(index);
    sqlite3_stmt* s = statement_.get();
    switch (sqlite3_column_type(s, index)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(s, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, index));
    default:
        return QVariant(text(index));
    }
}

QString Recordset::text(int index) const
{
    requireField(index);
    sqlite3_stmt* s = statement_.get();
    // The engine would print the number, then convert the printed text to UTF-16: far slower.
    if (sqlite3_column_type(s, index) == SQLITE_INTEGER)
        return QString::number(sqlite3_column_int64(s, index));
    const void* data = sqlite3_column_text16(s, index);
    if (!data)
        return QString();
    return QString(static_cast<const QChar*>(data), sqlite3_column_bytes16(s, index) / 2);
}

QStringView Recordset::view(int index) const
{
    requireField(index);
    sqlite3_stmt* s = statement_.get();
    const void* data = sqlite3_column_text16(s, index);
    if (!data)
        return {};
    return QStringView(static_cast<const QChar*>(data), sqlite3_column_bytes16(s, index) / 2);
}

}  // namespace store
