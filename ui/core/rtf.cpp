#include "ui/core/rtf.h"

// Placeholder until the reader lands: recognises the header only.
namespace ui::rtf {

std::optional<QString> readPlainText(const QByteArray& document) {
    if (!document.startsWith("{\\rtf")) return std::nullopt;
    return QString();
}

QByteArray writePlainText(const QString& text) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0 ";
    for (const QChar c : text) {
        if (c == u'\n') out += "\\par\n";
        else if (c.unicode() < 0x80 && c.unicode() >= 0x20) out += char(c.unicode());
    }
    out += "}";
    return out;
}

}  // namespace ui::rtf
