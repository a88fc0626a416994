#pragma once

// Whole-file reads and writes for tests, byte for byte, with no decoding.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace testing {

// The file's bytes, or an empty array when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file's content with bytes. Returns false when the file cannot be written.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace testing
