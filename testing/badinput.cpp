#include "testing/badinput.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStringList>

namespace testing {
namespace {

QString write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    return path;
}

QByteArray joined(const QStringList& lines, const QByteArray& end) {
    QByteArray out;
    for (const QString& line : lines)
        out += line.toUtf8() + end;
    return out;
}

}  // namespace

QList<BadFile> badReaderFiles(const QString& folder, const QStringList& lines) {
    QDir dir(folder);
    QList<BadFile> files;
    files.append({QStringLiteral("missing"), dir.filePath(QStringLiteral("missing.txt")), false});
    files.append(
        {QStringLiteral("empty"), write(dir.filePath(QStringLiteral("empty.txt")), {}), true});
    dir.mkdir(QStringLiteral("folder.txt"));
    files.append({QStringLiteral("folder"), dir.filePath(QStringLiteral("folder.txt")), false});
    // Reading process memory at address 0 fails for every user, root included, where a file
    // without read permission would still be readable by root.
    QString unreadable = dir.filePath(QStringLiteral("unreadable.txt"));
    write(unreadable, joined(lines, "\n"));
    QFile::setPermissions(unreadable, QFileDevice::Permissions{});
    if (::geteuid() == 0) unreadable = QStringLiteral("/proc/self/mem");
    files.append({QStringLiteral("unreadable"), unreadable, false});

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 131 + 7) % 256);
    files.append({QStringLiteral("binary"),
                  write(dir.filePath(QStringLiteral("binary.txt")), binary), true});
    files.append({QStringLiteral("invalid UTF-8"),
                  write(dir.filePath(QStringLiteral("invalid.txt")),
                        "\xC3\x28\n\xFF\xFE\xFD\n\xE2\x82\n\xF0\x9F\x98\n" + joined(lines, "\n")),
                  true});
    files.append({QStringLiteral("one line of 10 MB"),
                  write(dir.filePath(QStringLiteral("longline.txt")), QByteArray(10 << 20, 'Q')),
                  true});
    QByteArray many;
    many.reserve(100000 * 8);
    for (int i = 0; i < 100000; ++i)
        many += "LINE" + QByteArray::number(i % 1000) + "\n";
    files.append({QStringLiteral("100,000 lines"),
                  write(dir.filePath(QStringLiteral("many.txt")), many), true});
    files.append({QStringLiteral("CR only"),
                  write(dir.filePath(QStringLiteral("cr.txt")), joined(lines, "\r")), true});
    files.append({QStringLiteral("LF only"),
                  write(dir.filePath(QStringLiteral("lf.txt")), joined(lines, "\n")), true});
    QByteArray mixed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        static const char* const ends[] = {"\r\n", "\n", "\r"};
        mixed += lines[i].toUtf8() + ends[i % 3];
    }
    files.append({QStringLiteral("mixed line ends"),
                  write(dir.filePath(QStringLiteral("mixed.txt")), mixed), true});
    return files;
}

QString unwritableFolder(const QString& scratch) {
    if (::geteuid() == 0) return QStringLiteral("/proc/self");
    QDir(scratch).mkdir(QStringLiteral("locked"));
    const QString path = QDir(scratch).filePath(QStringLiteral("locked"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return path;
}

QString readOnlyFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = write(QDir(folder).filePath(name), bytes);
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return path;
}

QList<BadText> badFieldTexts() {
    return {
        {QStringLiteral("empty"), QString()},
        {QStringLiteral("spaces"), QStringLiteral("   ")},
        {QStringLiteral("long"), QString(100000, u'7')},
        {QStringLiteral("control characters"), QStringLiteral("1\x01\x02\t\r\n\x1b"
                                                              "2")},
        {QStringLiteral("Cyrillic"), QStringLiteral(u"ЖУК")},
        {QStringLiteral("Arabic-Indic digits"), QStringLiteral(u"١٢")},
        {QStringLiteral("sign and fraction"), QStringLiteral("-2.5e3")},
        {QStringLiteral("huge number"), QStringLiteral("99999999999999999999999")},
        {QStringLiteral("lone surrogate"), QString(QChar(0xD800)) + QStringLiteral("5")},
    };
}

}  // namespace testing
