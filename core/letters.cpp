#include "letters.h"

#include <algorithm>

namespace core {

QString composedWord(QStringView word) {
    return word.toString().normalized(QString::NormalizationForm_C);
}

bool fitsOneCharPerSquare(QStringView word) {
    for (const QChar c : word) {
        if (c.isSurrogate() || c.isMark()) return false;
    }
    return true;
}

QString reversed(QStringView word) {
    QString r(word.size(), Qt::Uninitialized);
    std::reverse_copy(word.begin(), word.end(), r.begin());
    return r;
}

}  // namespace core
