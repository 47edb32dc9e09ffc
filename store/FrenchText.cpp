#include "store/FrenchText.h"

#include <QCollator>
#include <QString>

// The loadable extension compiles this same file: there the engine is the loading program's,
// reached through the table of routines it hands over.
#ifdef CINABREL_SQLITE_EXTENSION
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

namespace store {

namespace {

const QCollator& frenchCollator()
{
    static const QCollator collator = [] {
        QCollator c {QLocale(QLocale::French, QLocale::France)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator;
}

QStringView viewOf(const void* data, int bytes)
{
    return QStringView(static_cast<const char16_t*>(data), bytes / 2);
}

int collate(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareFrench(viewOf(a, lengthA), viewOf(b, lengthB));
}

// One character of a text: a surrogate pair counts as one.
qsizetype characterLength(QStringView text, qsizetype at)
{
    return (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) ? 2 : 1;
}

bool sameLetter(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    if (a.size() == 1)
        return a[0].toCaseFolded() == b[0].toCaseFolded();
    return QChar::toCaseFolded(QChar::surrogateToUcs4(a[0], a[1]))
            == QChar::toCaseFolded(QChar::surrogateToUcs4(b[0], b[1]));
}

// Wildcard matching in linear passes: on a mismatch the last "%" takes one more character.
bool matchLike(QStringView pattern, QStringView text)
{
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        const qsizetype tl = characterLength(text, t);
        if (p < pattern.size() && pattern[p] == u'%') {
            starP = p++;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            const qsizetype pl = pattern[p] == u'_' ? 1 : characterLength(pattern, p);
            if (pattern[p] == u'_' || sameLetter(pattern.mid(p, pl), text.mid(t, tl))) {
                p += pl;
                t += tl;
                continue;
            }
        }
        if (starP < 0)
            return false;
        p = starP + 1;
        starT += characterLength(text, starT);
        t = starT;
    }
    while (p < pattern.size() && pattern[p] == u'%')
        ++p;
    return p == pattern.size();
}

void likeFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const void* pattern = sqlite3_value_text16(arguments[0]);
    const int patternBytes = sqlite3_value_bytes16(arguments[0]);
    const void* text = sqlite3_value_text16(arguments[1]);
    const int textBytes = sqlite3_value_bytes16(arguments[1]);
    if (!pattern || !text) {
        sqlite3_result_error_nomem(context);
        return;
    }
    sqlite3_result_int(context, likeFrench(viewOf(pattern, patternBytes), viewOf(text, textBytes)) ? 1 : 0);
}

// Texts that differ at most by the case of ASCII letters are equal to the French collation. The
// catalogue compares such texts all the time (a quality, a genre), and this spares the full comparison.
bool differOnlyByAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

int compareFrench(QStringView a, QStringView b)
{
    if (differOnlyByAsciiCase(a, b))
        return 0;
    const int order = frenchCollator().compare(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

QCollatorSortKey frenchSortKey(const QString& text) { return frenchCollator().sortKey(text); }

bool likeFrench(QStringView pattern, QStringView text) { return matchLike(pattern, text); }

void registerFrenchText(sqlite3* db)
{
    sqlite3_create_collation_v2(db, "FRANCAIS", SQLITE_UTF16_ALIGNED, nullptr, collate, nullptr);
    sqlite3_create_function(db, "like", 2, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                            nullptr, nullptr);
}

}  // namespace store
