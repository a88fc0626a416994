// Any bytes through the RTF reader: it must return (no crash, hang or runaway memory), and
// the text it returns must come back unchanged through the writer and the reader.
#include <cstdlib>

#include "ui/core/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QString> text = ui::rtf::readPlainText(bytes);
    if (!text) return 0;
    const std::optional<QString> again = ui::rtf::readPlainText(ui::rtf::writePlainText(*text));
    if (again != text) std::abort();
    return 0;
}
