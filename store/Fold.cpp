#include "store/Fold.h"

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
    QString folded;
    folded.reserve(text.size());
    bool pendingSpace = false;
    const auto append = [&](char32_t c) {
        if (!QChar::isLetterOrNumber(c)) {
            pendingSpace = !folded.isEmpty();
            return;
        }
        if (pendingSpace)
            folded += u' ';
        pendingSpace = false;
        folded += QStringView(QChar::fromUcs4(QChar::toCaseFolded(c)));
    };
    const auto appendWrittenOut = [&](char32_t c) {
        const QStringView out = writtenOut(c);
        if (out.isEmpty())
            return false;
        for (QChar letter : out)
            append(letter.unicode());
        return true;
    };
    for (char32_t c : text.toUcs4()) {
        if (c < 0x80) {
            append(c);
            continue;
        }
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
    return folded;
}

QStringList foldedWords(QStringView text) { return fold(text).split(u' ', Qt::SkipEmptyParts); }

}  // namespace store
