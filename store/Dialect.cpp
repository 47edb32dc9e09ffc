#include "store/Dialect.h"

#include "store/DbError.h"

#include <QRegularExpression>

namespace store {

namespace {

// "Delete * from film where ..." is accepted as "DELETE FROM film where ...".
QString withoutDeleteStar(const QString& statement)
{
    static const QRegularExpression deleteStar(QStringLiteral(R"(^\s*delete\s+\*\s*from\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString result = statement;
    return result.replace(deleteStar, QStringLiteral("DELETE FROM"));
}

}  // namespace

Statement translateStatement(const QString& statement)
{
    const QString text = withoutDeleteStar(statement);
    Statement out;
    out.sql.reserve(text.size());
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c != u'"' && c != u'\'') {
            out.sql += c;
            ++i;
            continue;
        }
        QString value;
        qsizetype j = i + 1;
        bool closed = false;
        while (j < n) {
            if (text[j] == c) {
                if (j + 1 < n && text[j + 1] == c) {
                    value += c;
                    j += 2;
                    continue;
                }
                closed = true;
                break;
            }
            value += text[j];
            ++j;
        }
        if (!closed)
            throw DbError(
                    QStringLiteral("Instruction invalide : un texte entre guillemets n'est pas fermé."));
        out.values.emplace_back(std::move(value));
        out.sql += u'?';
        i = j + 1;
    }
    return out;
}

QString quotedText(const QString& value, QChar quote)
{
    // Most values hold no quote: one allocation for them.
    if (!value.contains(quote))
        return quote + value + quote;
    QString doubled = value;
    return quote + doubled.replace(quote, QString(2, quote)) + quote;
}

}  // namespace store
