#include "store/Fold.h"

#include <QVarLengthArray>

namespace store {

namespace {

// Letters that Unicode's decomposition keeps whole, written out as a French reader types them.
QStringView writtenOut(char32_t c)
{
    switch (c) {
    case U'œ':
    case U'Œ':
        return u"oe";
    case U'æ':
    case U'Æ':
        return u"ae";
    case U'ß':
    case U'ẞ':
        return u"ss";
    case U'ł':
    case U'Ł':
        return u"l";
    case U'ø':
    case U'Ø':
        return u"o";
    case U'đ':
    case U'Đ':
        return u"d";
    case U'þ':
    case U'Þ':
        return u"th";
    }
    return {};
}

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

}  // namespace

QString fold(QStringView text)
{
    // Built unit by unit where appending costs no call, then made a text once.
    QVarLengthArray<char16_t, 256> folded;
    folded.reserve(text.size());
    bool pendingSpace = false;
    // A letter or a digit, its case folded; anything else separates words.
    const auto append = [&](char32_t c) {
        char32_t folding = c;
        if (c < 0x80) {
            // Most of a catalogue's text, spared the look-ups in Unicode's tables.
            if (c >= U'A' && c <= U'Z')
                folding = c + (U'a' - U'A');
            if (!((folding >= U'a' && folding <= U'z') || (folding >= U'0' && folding <= U'9'))) {
                pendingSpace = !folded.isEmpty();
                return;
            }
        } else if (QChar::isLetterOrNumber(c)) {
            folding = QChar::toCaseFolded(c);
        } else {
            pendingSpace = !folded.isEmpty();
            return;
        }
        if (pendingSpace)
            folded.append(u' ');
        pendingSpace = false;
        if (QChar::requiresSurrogates(folding)) {
            folded.append(QChar::highSurrogate(folding));
            folded.append(QChar::lowSurrogate(folding));
        } else {
            folded.append(char16_t(folding));
        }
    };
    const auto appendWrittenOut = [&](char32_t c) {
        const QStringView out = writtenOut(c);
        if (out.isEmpty())
            return false;
        for (QChar letter : out)
            append(letter.unicode());
        return true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            append(unit);
            continue;
        }
        char32_t c = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(unit, text[++i].unicode());
        if (appendWrittenOut(c))
            continue;
        // The compatibility decomposition also splits ligatures such as "ﬁ" and turns a no-break
        // space into a space; what it leaves may be a letter to write out ("Ǿ": "Ø" and an accent).
        const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
        for (char32_t part : decomposed.toUcs4()) {
            if (!isMark(part) && !appendWrittenOut(part))
                append(part);
        }
    }
    return QString(reinterpret_cast<const QChar*>(folded.constData()), folded.size());
}

QStringList foldedWords(QStringView text) { return fold(text).split(u' ', Qt::SkipEmptyParts); }

}  // namespace store
