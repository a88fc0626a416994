// Any bytes through the RTF reader: it must return (no crash, hang or runaway memory), and
// the text it returns must come back unchanged through the writer and the reader. The same
// bytes as UTF-16 through the writer: read back, they give the text less what the writer
// cannot keep (control characters other than "\n" and "\t"; a lone surrogate is U+FFFD).
#include <cstdlib>
#include <cstring>

#include "core/rtf.h"

namespace {

QString keepable(const QString& text) {
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c < 0x20 && c != u'\n' && c != u'\t') || c == 0x7F) continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            kept += text[i];
            kept += text[++i];
        } else {
            kept += QChar::isSurrogate(c) ? QChar(0xFFFD) : QChar(c);
        }
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<QString> text = core::rtf::readPlainText(bytes)) {
        if (core::rtf::readPlainText(core::rtf::writePlainText(*text)) != text) std::abort();
    }
    QString utf16(qsizetype(size / 2), Qt::Uninitialized);  // copied: data may be unaligned
    std::memcpy(utf16.data(), data, std::size_t(utf16.size()) * sizeof(QChar));
    if (core::rtf::readPlainText(core::rtf::writePlainText(utf16)) != keepable(utf16)) std::abort();
    return 0;
}
