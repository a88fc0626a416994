#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace core {

namespace {

// Windows-1252 for the bytes 0x80..0x9F; 0 marks a byte that the code page leaves unassigned.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0) u = kCp1252High[b - 0x80];
        *dst++ = QChar(u);
    }
    return out;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

bool LineReader::next(QStringView* line) {
    const qsizetype n = text_.size();
    if (start_ >= n) return false;
    for (qsizetype i = start_; i < n; ++i) {
        const QChar c = text_[i];
        if (c != u'\r' && c != u'\n') continue;
        *line = text_.mid(start_, i - start_);
        if (c == u'\r' && i + 1 < n && text_[i + 1] == u'\n') ++i;
        start_ = i + 1;
        return true;
    }
    *line = text_.mid(start_);
    start_ = n;
    return true;
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    LineReader reader(text);
    for (QStringView line; reader.next(&line);)
        lines.append(line.toString());
    return lines;
}

FileBytesResult readFileBytes(const QString& path, qint64 maxBytes) {
    FileBytesResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("The file does not exist.");
        return result;
    }
    if (info.isDir()) {
        result.error = QStringLiteral("It is a folder, not a file.");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.size() > maxBytes) {
        result.error = QStringLiteral("The file is larger than %1 MB.").arg(maxBytes >> 20);
        return result;
    }
    // Read in pieces: asking for maxBytes at once would reserve that much for every file.
    QByteArray bytes;
    if (!file.isSequential()) bytes.reserve(qsizetype(file.size()));
    char piece[64 * 1024];
    for (;;) {
        const qint64 got = file.read(piece, sizeof piece);
        if (got <= 0) break;
        bytes.append(piece, qsizetype(got));
        if (bytes.size() > maxBytes) break;
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (bytes.size() > maxBytes) {
        result.error = QStringLiteral("The file is larger than %1 MB.").arg(maxBytes >> 20);
        return result;
    }
    result.bytes = std::move(bytes);
    result.ok = true;
    return result;
}

TextFileResult readTextFile(const QString& path, qint64 maxBytes) {
    FileBytesResult read = readFileBytes(path, maxBytes);
    TextFileResult result;
    result.ok = read.ok;
    result.error = read.error;
    if (read.ok) result.text = decodeText(read.bytes);
    return result;
}

QString writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.isDir()) return QStringLiteral("It is a folder, not a file.");
    // A file its owner marked read-only stays as it is, even for a user who could replace it.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return QStringLiteral("The file is read-only.");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return file.errorString();
    return QString();
}

QByteArray joinCrLfUtf8(const QStringList& lines) {
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

}  // namespace core
