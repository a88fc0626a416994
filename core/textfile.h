#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace core {

// Decodes file bytes: UTF-8 (a leading byte-order mark is dropped) when the bytes are valid
// UTF-8, otherwise Windows-1252, whose five unassigned bytes fall back to Latin-1.
QString decodeText(const QByteArray& bytes);

// Splits text into lines at CR LF, a lone CR or a lone LF. The line ends are not part of the
// lines, and a final line end starts no further line: "a\r\nb\n" gives {"a", "b"}; "" gives {}.
QStringList splitLines(QStringView text);

// The lines of text one at a time, split as splitLines splits them, for a reader that does other
// work between lines. The text must outlive the reader.
class LineReader {
  public:
    explicit LineReader(QStringView text) : text_(text) {}
    // The next line, or false when there is none.
    bool next(QStringView* line);

  private:
    QStringView text_;
    qsizetype start_ = 0;
};

struct TextFileResult {
    bool ok = false;
    QString text;   // the decoded content when ok
    QString error;  // a sentence for the user when not ok
};

// Largest file the readers accept, in bytes. No file the suite writes comes near it.
inline constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

struct FileBytesResult {
    bool ok = false;
    QByteArray bytes;  // the whole content when ok
    QString error;     // a sentence for the user when not ok
};

// Reads a whole file as it is, for readers that decode it themselves (RTF names its own code
// page; the settings file keeps every byte it does not change). Fails as readTextFile does.
FileBytesResult readFileBytes(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

// Reads a whole text file and decodes it with decodeText. Fails, with a reason, for a missing
// or unreadable file, a folder, or a file larger than maxBytes.
TextFileResult readTextFile(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

// Replaces the file at path with bytes, or leaves the old file untouched on failure: the bytes
// go to a temporary file in the same folder, which is then renamed over the old one.
// A file marked read-only is refused. Returns an empty string on success, else a sentence for
// the user.
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

// Joins lines with CR LF after every line: {"a", "b"} gives "a\r\nb\r\n".
QByteArray joinCrLfUtf8(const QStringList& lines);

}  // namespace core
