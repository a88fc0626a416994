#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "testing/filebytes.h"

// Files and texts that the suite's readers, writers and fields must survive, shared by the
// bad-input tests of every program.
namespace testing {

// One way a file can be bad. `text` says whether the file holds decodable lines, so that a
// test can expect them to be read.
struct BadFile {
    QString name;
    QString path;
    bool readable = false;  // a file whose bytes can be read at all
};

// Makes every bad reader input in `folder`: missing, empty, a folder, unreadable, binary
// bytes, invalid UTF-8, one line of 10 MB, 100,000 lines, and `lines` joined with CR only, LF
// only and mixed line ends. `lines` are a valid file's lines for the program under test.
QList<BadFile> badReaderFiles(const QString& folder, const QStringList& lines);

// A folder in which no file can be created, also for root.
QString unwritableFolder(const QString& scratch);

// A file holding `bytes` that is marked read-only. Returns its path.
QString readOnlyFile(const QString& folder, const QString& name, const QByteArray& bytes);

// Texts for pasting into fields: long, control characters, non-Latin letters and the like.
struct BadText {
    QString name;
    QString text;
};
QList<BadText> badFieldTexts();

}  // namespace testing
