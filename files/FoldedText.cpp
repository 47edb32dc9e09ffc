#include "files/FoldedText.h"

namespace files {

QString foldedText(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    bool spaced = true;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber()) {
            folded.append(c.toLower());
            spaced = false;
        } else if (c.category() != QChar::Mark_NonSpacing && !spaced) {
            folded.append(u' ');
            spaced = true;
        }
    }
    if (folded.endsWith(u' '))
        folded.chop(1);
    return folded;
}

}  // namespace files
