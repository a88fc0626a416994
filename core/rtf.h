#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace core::rtf {

// The plain text of an RTF document, as a rich-text box holds it and a word processor shows
// it. Nothing when the bytes do not begin with "{\rtf" (an empty file, plain text).
// - Every paragraph mark (\par, \sect, a backslash before a source line end) gives "\n",
//   except the document's last one, which gives nothing: "A\par B\par }" and "A\par B}" both
//   give "A\nB"; an empty last paragraph ("A\par \par }") gives "A\n".
// - \line, \cell and \nestcell give "\n", \tab "\t"; \row nothing; \chftn the footnote's
//   number (1, 2, ... through the body); \~ U+00A0; \bullet, \emdash and the other named
//   characters theirs. CR and LF bytes of the source are not text.
// - \'hh and 8-bit bytes are read in the code page of the current font (\fcharset, \cpg),
//   else of the document (\ansicpg, \mac, \pc, \pca), else Windows-1252. \uN (N < 0 means
//   N + 65536) is followed by \ucN fallback characters that are skipped; \uc is scoped to
//   its group. Surrogate pairs join; a lone half gives U+FFFD.
// - Not text: the header tables, \info, pictures, "{\*...}" groups, headers, footers,
//   footnote and comment bodies, field instructions (the field result is text) and \binN
//   data, skipped by count.
// - Control characters other than "\n" and "\t" never appear in the result.
// - Bytes after the brace that closes the outer group are ignored. Broken input (truncated,
//   unbalanced braces, huge counts, nesting of any depth) gives the text read so far: one
//   pass without recursion, in time and memory proportional to the input.
std::optional<QString> readPlainText(const QByteArray& document);

// A complete Windows-1252 RTF document (font table, one paragraph style) whose plain text,
// read back by readPlainText or a word processor, is `text`. Each "\n" becomes a paragraph
// mark and the document ends with one more, as word processors write it, so that a final
// "\n" survives; "\t" becomes \tab; characters outside ASCII are written as "\uN?" (N signed
// 16-bit, a character beyond U+FFFF as its surrogate pair). Not kept, because the reader
// never returns them: "\r" and the other control characters (dropped) and a lone surrogate
// (written as U+FFFD). For every other text, readPlainText(writePlainText(t)) == t.
QByteArray writePlainText(const QString& text);

}  // namespace core::rtf
