#include "numbers.h"

#include <cmath>

#include <QLocale>
#include <QString>

namespace core {

namespace {

std::optional<double> parseWith(const QLocale& locale, const QString& text) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> parseNumber(QStringView text) {
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty()) return std::nullopt;
    if (auto value = parseWith(QLocale(), trimmed)) return value;
    return parseWith(QLocale::c(), trimmed);
}

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QString number;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) number += text[i++];
    bool digits = false;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        number += text[i++];
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        number += text[i++];
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits) return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += text[j++];
        bool expDigits = false;
        while (j < n && text[j] >= u'0' && text[j] <= u'9') {
            exponent += text[j++];
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

}  // namespace core
