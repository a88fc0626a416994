#include "letters.h"

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

}  // namespace core
