#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace store {

// A forward pass over the rows of one statement. A statement that returns no rows (an UPDATE
// or a DELETE) runs to its end at once and leaves the recordset closed.
class Recordset {
public:
    Recordset() = default;
    Recordset(Recordset&&) noexcept = default;
    Recordset& operator=(Recordset&&) noexcept = default;

    void open(const Statement& statement, Database& connection);
    // A statement given as text, in the program's dialect.
    void open(const QString& source, Database& connection);
    void close();
    bool isOpen() const { return open_; }
    bool eof() const;
    void moveNext();

    int fieldCount() const { return int(names_.size()); }
    // Field names match whatever their letter case; an unknown name throws.
    int fieldIndex(const QString& name) const;
    QVariant value(int index) const;
    QVariant value(const QString& name) const { return value(fieldIndex(name)); }
    bool isNull(int index) const;
    bool isNull(const QString& name) const { return isNull(fieldIndex(name)); }
    // The field as text; a NULL reads as empty text.
    QString text(int index) const;
    QString text(const QString& name) const { return text(fieldIndex(name)); }
    // The field as text without a copy, for reading many rows: valid until the next row.
    QStringView view(int index) const;

private:
    void openPrepared(PreparedStatement prepared);
    void requireRow() const;
    void requireField(int index) const;

    PreparedStatement statement_;
    QStringList names_;
    bool open_ = false;
    bool eof_ = true;
};

}  // namespace store
