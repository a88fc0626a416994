#include "pindral/engine/settingsfile.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

#include "core/numbers.h"
#include "core/textfile.h"

namespace pindral {

namespace {

constexpr char kSection[] = "Settings";

// A UTF-8 byte-order mark, as editors put before the first line. It is no part of that line
// when the content is read, and stays in front when the content is written.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

qsizetype bomLength(const QByteArray& content) {
    return content.startsWith(kUtf8Bom) ? qsizetype(sizeof kUtf8Bom - 1) : 0;
}

// One line of INI content: its text and its line end ("", "\n", "\r" or "\r\n").
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> splitKeepingEnds(const QByteArray& content) {
    QList<Line> lines;
    qsizetype start = 0;
    const qsizetype n = content.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n') continue;
        const qsizetype endLength = (c == '\r' && i + 1 < n && content[i + 1] == '\n') ? 2 : 1;
        lines.append({content.mid(start, i - start), content.mid(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < n) lines.append({content.mid(start), QByteArray()});
    return lines;
}

QByteArray trimmed(const QByteArray& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    return text.mid(b, e - b);
}

bool sameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The section named by a header line, or nothing for other lines.
std::optional<QByteArray> sectionOf(const QByteArray& line) {
    const QByteArray t = trimmed(line);
    if (!t.startsWith('[')) return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimmed(t.mid(1, close < 0 ? -1 : close - 1));
}

// The key of a key line, or nothing for comments, blank lines and lines without '='.
std::optional<QByteArray> keyOf(const QByteArray& line) {
    const QByteArray t = trimmed(line);
    if (t.isEmpty() || t.startsWith(';')) return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0) return std::nullopt;
    return trimmed(t.left(eq));
}

QByteArray valueOf(const QByteArray& line) {
    QByteArray v = trimmed(line.mid(line.indexOf('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

// Where a section's lines lie: its header and one past its last line.
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const QList<Line>& lines, const QByteArray& section) {
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i].text);
        if (!name) continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (sameName(*name, section)) span.header = i;
    }
    if (span.header >= 0) span.end = lines.size();
    return span;
}

qsizetype findKey(const QList<Line>& lines, const SectionSpan& span, const QByteArray& key) {
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const auto name = keyOf(lines[i].text);
        if (name && sameName(*name, key)) return i;
    }
    return -1;
}

// Reads a whole file; a missing file reads as empty content.
bool readBytes(const QString& path, QByteArray& bytes, QString& error) {
    bytes.clear();
    if (!QFileInfo::exists(path)) return true;
    core::FileBytesResult read = core::readFileBytes(path);
    if (!read.ok) {
        error = read.error;
        return false;
    }
    bytes = std::move(read.bytes);
    return true;
}

}  // namespace

std::optional<QByteArray> iniValue(const QByteArray& content, const QByteArray& section,
                                   const QByteArray& key) {
    const QList<Line> lines = splitKeepingEnds(content.mid(bomLength(content)));
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0) return std::nullopt;
    const qsizetype at = findKey(lines, span, key);
    if (at < 0) return std::nullopt;
    return valueOf(lines[at].text);
}

QByteArray iniWithValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                        const QByteArray& value) {
    const QByteArray bom = content.left(bomLength(content));
    QList<Line> lines = splitKeepingEnds(content.mid(bom.size()));
    QByteArray newline = "\r\n";
    for (const Line& l : std::as_const(lines)) {
        if (!l.end.isEmpty()) {
            newline = l.end;
            break;
        }
    }
    const QByteArray keyLine = key + '=' + value;
    // The line before an insertion point must end, or the new line would join it.
    auto ensureEnded = [&](qsizetype i) {
        if (i >= 0 && lines[i].end.isEmpty()) lines[i].end = newline;
    };

    const SectionSpan span = findSection(lines, section);
    if (span.header < 0) {
        ensureEnded(lines.size() - 1);
        lines.append({QByteArray("[") + section + ']', newline});
        lines.append({keyLine, newline});
    } else if (const qsizetype at = findKey(lines, span, key); at >= 0) {
        lines[at].text = keyLine;
    } else {
        qsizetype last = span.header;  // the section's last line that is not blank
        for (qsizetype i = span.header + 1; i < span.end; ++i)
            if (!trimmed(lines[i].text).isEmpty()) last = i;
        ensureEnded(last);
        lines.insert(last + 1, {keyLine, newline});
    }

    QByteArray out = bom;
    for (const Line& l : std::as_const(lines))
        out += l.text + l.end;
    return out;
}

namespace {

// The key's value in content as text, or defaultText when the key is not there.
QString iniText(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                const QString& defaultText) {
    const auto value = iniValue(content, section, key);
    return value ? core::decodeText(*value) : defaultText;
}

// Replaces file with content, making its folder first; a sentence on failure.
QString writeIniFile(const QString& file, const QByteArray& content) {
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) return QStringLiteral("The folder %1 cannot be made.").arg(folder);
    return core::writeFileAtomically(file, content);
}

}  // namespace

QString readIni(const QString& section, const QString& key, const QString& file,
                const QString& defaultText) {
    QByteArray content;
    QString error;
    if (!readBytes(file, content, error)) return defaultText;
    return iniText(content, section.toUtf8(), key.toUtf8(), defaultText);
}

QString writeIni(const QString& section, const QString& key, const QString& value,
                 const QString& file) {
    QByteArray content;
    QString error;
    if (!readBytes(file, content, error)) return error;
    return writeIniFile(file,
                        iniWithValue(content, section.toUtf8(), key.toUtf8(), value.toUtf8()));
}

std::optional<qint64> wholeNumberFrom(const QString& text) {
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)$)"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const double value = core::roundHalfEven(t.toDouble(&ok));
    if (!ok || !std::isfinite(value) || std::abs(value) > 9.0e15) return std::nullopt;
    return qint64(value);
}

QString SettingsFile::location(const QString& programFolder, const QString& configFolder) {
    const QFileInfo folder(programFolder);
    const QString base = folder.isDir() && folder.isWritable() ? programFolder : configFolder;
    return base + QStringLiteral("/Settings.ini");
}

qint64 largestSquareSize(qint64 count, QSize area) {
    const qint64 board = std::min({area.width(), area.height(), kMaxBoardPixels});
    return std::max<qint64>(board, 0) / std::max<qint64>(count, 1);
}

void SettingsFile::loadSettings(QSize boardArea) {
    const Settings defaults;
    // The file is read once for all five values; one that cannot be read gives the defaults.
    QByteArray content;
    QString error;
    if (!readBytes(path_, content, error)) content.clear();
    auto load = [&content](const char* key, qint64 fallback, qint64 low, qint64 high) {
        const QString text = iniText(content, kSection, key, QString::number(fallback));
        const auto value = wholeNumberFrom(text);
        return value && *value >= low && *value <= high ? *value : fallback;
    };
    Settings& s = settings_;
    s.squareSize = qint16(load("SquareSize", defaults.squareSize, 1, 32767));
    s.squareCount = qint16(load("SquareCount", defaults.squareCount, 1, 32767));
    s.selectColor = qint32(load("SelectColor", defaults.selectColor, 0, 0xFFFFFF));
    s.solutionColor = qint32(load("SolutionColor", defaults.solutionColor, 0, 0xFFFFFF));
    s.backwards = qint16(load("Backwards", defaults.backwards, -32768, 32767));
    if (s.squareSize > largestSquareSize(s.squareCount, boardArea)) {
        s.squareSize = defaults.squareSize;
        s.squareCount = defaults.squareCount;
    }
}

QString SettingsFile::saveSettings() const {
    const Settings& s = settings_;
    const std::pair<const char*, qint64> values[] = {
        {"SquareSize", s.squareSize},   {"SquareCount", s.squareCount},
        {"SelectColor", s.selectColor}, {"SolutionColor", s.solutionColor},
        {"Backwards", s.backwards},
    };
    // Read once and written once, all five values together or none.
    QByteArray content;
    QString error;
    if (!readBytes(path_, content, error)) return error;
    for (const auto& [key, value] : values)
        content = iniWithValue(content, kSection, key, QByteArray::number(value));
    return writeIniFile(path_, content);
}

}  // namespace pindral
