#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace ui::rtf {

// The plain text of an RTF document, as a rich-text box holds it: paragraphs separated by
// "\n" (no "\n" for the document's last paragraph mark), "\line" as "\n", "\tab" as "\t",
// header tables, pictures, "{\*...}" groups, headers, footers, footnote bodies and field
// instructions left out. Nothing when the bytes do not begin with "{\rtf". Broken input
// (truncated, unbalanced braces, huge counts, deep nesting) gives the text read so far.
std::optional<QString> readPlainText(const QByteArray& document);

// A complete RTF document whose plain text, read back by readPlainText or a word processor,
// is `text`. Each "\n" becomes a paragraph mark; characters outside ASCII are written as
// "\uN?"; "\r" is dropped.
QByteArray writePlainText(const QString& text);

}  // namespace ui::rtf
