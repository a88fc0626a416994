// The RTF plain-text reader and writer: real files from word processors with the text they
// show, write-then-read round trips, and broken input that must neither crash nor hang.
#include <QDir>
#include <QFile>
#include <QTest>

#include "core/rtf.h"

using core::rtf::readPlainText;
using core::rtf::writePlainText;

namespace {

QString corpusPath(const QString& name) {
    return QStringLiteral(WORDSEARCH_TEST_DIR "/data/rtf/") + name;
}

QByteArray readCorpusFile(const QString& name) {
    QFile f(corpusPath(name));
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing corpus file %s", qPrintable(name));
    return f.readAll();
}

// A document body inside the header every word processor writes first.
QByteArray doc(const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}" + body + "}";
}

}  // namespace

class TestRtf : public QObject {
    Q_OBJECT
  private slots:
    // Every case of the corpus, as cases.tsv lists it.
    void corpus_data() {
        QTest::addColumn<QString>("expect");
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        const QList<QByteArray> lines = readCorpusFile("cases.tsv").split('\n');
        QVERIFY(lines.size() > 20);
        for (const QByteArray& line : lines.mid(1)) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() < 2) continue;
            const QString name = QString::fromUtf8(fields[0]);
            QTest::newRow(qPrintable(name))
                << QString::fromUtf8(fields[1]) << readCorpusFile(name + ".rtf")
                << QString::fromUtf8(readCorpusFile(name + ".txt"));
        }
    }
    void corpus() {
        QFETCH(QString, expect);
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        const std::optional<QString> read = readPlainText(rtf);
        if (expect == "reject") {
            QVERIFY(!read.has_value());
        } else if (expect == "text-or-reject") {
            if (read) QCOMPARE(*read, text);
        } else if (expect == "text") {
            QVERIFY(read.has_value());
            QCOMPARE(*read, text);
        } else {
            QCOMPARE(expect, QStringLiteral("no-crash"));  // any outcome, as long as it returns
        }
    }

    // Small documents for the rules the corpus shows only in passing.
    void reader_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("last paragraph mark gives nothing") << doc("A\\par B\\par ") << u"A\nB"_qs;
        QTest::newRow("no final paragraph mark") << doc("A\\par B") << u"A\nB"_qs;
        QTest::newRow("empty last paragraph") << doc("A\\par \\par ") << u"A\n"_qs;
        QTest::newRow("only a paragraph mark") << doc("\\par ") << QString();
        QTest::newRow("line break at the end stays") << doc("A\\line ") << u"A\n"_qs;
        QTest::newRow("backslash and line end is a paragraph")
            << doc("A\\\r\nB\\\nC") << u"A\nB\nC"_qs;
        QTest::newRow("source line ends are not text") << doc("A\r\nB\rC\nD") << u"ABCD"_qs;
        QTest::newRow("delimiter space eaten, others kept")
            << doc("\\b  two\\b0   x") << u" two  x"_qs;
        QTest::newRow("numeric parameter ends the word") << doc("\\fs24X\\li-360Y") << u"XY"_qs;
        QTest::newRow("unknown words show nothing") << doc("\\foo\\bar12 x") << u"x"_qs;
        QTest::newRow("bytes after the document are ignored")
            << doc("A") + "B{\\rtf1 C}" << u"A"_qs;
        QTest::newRow("symbols") << doc("\\~\\_\\-\\{\\}\\\\") << u"\u00a0\u2011{}\\"_qs;
        QTest::newRow("named characters")
            << doc("\\bullet\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote")
            << u"•—–‘’“”"_qs;
        QTest::newRow("raw tab byte is a tab") << doc("a\tb") << u"a\tb"_qs;
        QTest::newRow("other control bytes are not text")
            << doc(QByteArray("a\x01\x1f", 3) + QByteArray(1, '\0') + "b\\'07c") << u"abc"_qs;
        QTest::newRow("hex byte in cp1252") << doc("\\'80\\'e9\\'9F") << u"€éŸ"_qs;
        QTest::newRow("raw high byte in cp1252") << doc("caf\xe9") << u"café"_qs;
        QTest::newRow("hex byte with one digit") << doc("\\'4z") << u"z"_qs;
        QTest::newRow("cp1251 document")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << u"При"_qs;
        QTest::newRow("font with a Cyrillic charset")
            << QByteArray(
                   "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}"
                   "{\\f1\\fcharset204 Arial CYR;}}\\'e9{\\f1\\'e9}\\'e9}")
            << u"éйé"_qs;
        QTest::newRow("shift-jis pairs of bytes")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}") << u"日本"_qs;
        QTest::newRow("invalid shift-jis byte")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 a\\'ffb}") << u"a\ufffdb"_qs;
        QTest::newRow("control characters by any spelling")
            << doc("a\\u0?\\u7?\\u127?\\u9?b\\'1a\\'7f") << u"a\tb"_qs;
        QTest::newRow("unicode skips one fallback") << doc("\\u233?\\u8364\\'80x") << u"é€x"_qs;
        QTest::newRow("negative unicode") << doc("\\u-3?\\u-10179?\\u-8704?") << u"\ufffd😀"_qs;
        QTest::newRow("values above 32767 as LibreOffice writes them")
            << doc("\\u55357\\'3f\\u56832\\'3f") << u"😀"_qs;
        QTest::newRow("lone surrogates become U+FFFD")
            << doc("\\u55357?x\\u56832?\\u55357?") << u"\ufffdx\ufffd\ufffd"_qs;
        QTest::newRow("uc0 skips nothing") << doc("\\uc0\\u233 x") << u"éx"_qs;
        QTest::newRow("uc2 skips two") << doc("\\uc2\\u233 xyz") << u"éz"_qs;
        QTest::newRow("uc is scoped to its group")
            << doc("{\\uc3\\u233 abcd}\\u233 xy") << u"édéy"_qs;
        QTest::newRow("group end stops the skip") << doc("{\\uc5\\u233 ab}cd") << u"écd"_qs;
        QTest::newRow("hex byte counts as one fallback")
            << doc("\\uc2\\u233\\'e9\\'e9x") << u"éx"_qs;
        QTest::newRow("source line ends are no fallback") << doc("\\u233\r\n?x") << u"éx"_qs;
        QTest::newRow("binary data skipped by count") << doc("a\\bin5 {}\\}\\b") << u"ab"_qs;
        QTest::newRow("binary data inside a picture") << doc("a{\\pict\\bin3 }}}b}c") << u"ac"_qs;
        QTest::newRow("negative binary count reads nothing") << doc("a\\bin-5 b") << u"ab"_qs;
        QTest::newRow("starred groups skipped")
            << doc("a{\\*\\unknown {x}\\{ y}b{\\*\\bkmkstart m}c") << u"abc"_qs;
        QTest::newRow("unstarred destinations skipped")
            << doc("a{\\header H}{\\footerl F}{\\info{\\title T}}{\\footnote N}{\\pict 89ab}b")
            << u"ab"_qs;
        QTest::newRow("field shows its result")
            << doc("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt{\\ul link}}}") << u"link"_qs;
        QTest::newRow("field instruction without a star")
            << doc("{\\field{\\fldinst PAGE}{\\fldrslt 3}}") << u"3"_qs;
        QTest::newRow("table cells end lines")
            << doc("\\trowd\\cellx100\\cellx200 A\\cell B\\cell\\row C") << u"A\nB\nC"_qs;
        QTest::newRow("footnote marks count up") << doc("a{\\super\\chftn}{\\*\\footnote\\chftn "
                                                        "x}b{\\super\\chftn}{\\footnote\\chftn y}")
                                                 << u"a1b2"_qs;
        QTest::newRow("section end is a paragraph end") << doc("A\\sect B") << u"A\nB"_qs;
    }
    void reader() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        const std::optional<QString> read = readPlainText(rtf);
        QVERIFY(read.has_value());
        QCOMPARE(*read, text);
    }

    void notRtf_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("ABCDEF\r\n");
        QTest::newRow("leading space") << QByteArray(" {\\rtf1 A}");
        QTest::newRow("other group") << QByteArray("{\\pict A}");
        QTest::newRow("cut header") << QByteArray("{\\rt");
        QTest::newRow("utf-8 text") << QByteArray("\xd0\x9a\xd0\x9e\xd0\xa2");
    }
    void notRtf() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!readPlainText(bytes).has_value());
    }

    // Broken input returns the text read so far, promptly, whatever its size claims.
    void broken_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        const QByteArray deep(100000, '{');
        const QByteArray deepClose(100000, '}');
        QTest::newRow("100000 open groups") << "{\\rtf1 A" + deep + "B" << u"AB"_qs;
        QTest::newRow("100000 balanced groups")
            << "{\\rtf1 A" + deep + "B" + deepClose + "C}" << u"ABC"_qs;
        QTest::newRow("100000 groups in a skipped destination")
            << "{\\rtf1 A{\\*\\x" + deep + "B" + deepClose + "}C}" << u"AC"_qs;
        const QByteArray deeper(1100000, '{');
        const QByteArray deeperClose(1100000, '}');
        QTest::newRow("1100000 balanced groups, beyond the saved states")
            << "{\\rtf1 A" + deeper + "B" + deeperClose + "C}D" << u"ABC"_qs;
        QTest::newRow("200000 nested uc changes")
            << "{\\rtf1 " + QByteArray("{\\uc2 ").repeated(200000) + "\\u233 ab}" << u"é"_qs;
        QTest::newRow("huge binary count") << QByteArray("{\\rtf1 A\\bin999999999 xyz}") << u"A"_qs;
        QTest::newRow("binary count beyond 64 bits")
            << QByteArray("{\\rtf1 A\\bin99999999999999999999999999 xyz}") << u"A"_qs;
        QTest::newRow("huge uc count")
            << QByteArray("{\\rtf1 {\\uc999999999\\u233 abc}d}") << u"éd"_qs;
        QTest::newRow("huge unicode value")
            << QByteArray("{\\rtf1 \\u99999999999 x}") << u"\ufffd"_qs;
        QTest::newRow("closing braces first") << QByteArray("{\\rtf1 A}}}}B") << u"A"_qs;
        QTest::newRow("unbalanced open braces") << QByteArray("{\\rtf1 A{{B\\par C") << u"AB\nC"_qs;
        QTest::newRow("truncated in a control word") << QByteArray("{\\rtf1 A\\pa") << u"A"_qs;
        QTest::newRow("truncated after a backslash") << QByteArray("{\\rtf1 A\\") << u"A"_qs;
        QTest::newRow("truncated in a hex byte") << QByteArray("{\\rtf1 A\\'") << u"A"_qs;
        QTest::newRow("truncated in binary data") << QByteArray("{\\rtf1 A\\bin10 ab") << u"A"_qs;
        QTest::newRow("truncated in a font table")
            << QByteArray("{\\rtf1 {\\fonttbl{\\f0\\fcharset204") << QString();
        QTest::newRow("very long control word")
            << "{\\rtf1 A\\" + QByteArray(100000, 'x') + " B}" << u"AB"_qs;
        QTest::newRow("very long parameter")
            << "{\\rtf1 A\\fs" + QByteArray(100000, '9') + " B}" << u"AB"_qs;
    }
    void broken() { reader(); }

    // Every cut of real files: no crash, and a cut sheet gives the start of its letters.
    void truncatedEverywhere() {
        for (const char* name : {"complex_lo", "complex_pandoc", "unicode_lo", "unicode_pandoc"}) {
            const QByteArray rtf = readCorpusFile(QString::fromLatin1(name) + ".rtf");
            for (qsizetype n = 5; n <= rtf.size(); ++n)
                QVERIFY(readPlainText(rtf.left(n)).has_value());
        }
        for (const char* name : {"sheet300_lo_txt", "sheet300_abiword", "lines15x20_paras_lo"}) {
            const QByteArray rtf = readCorpusFile(QString::fromLatin1(name) + ".rtf");
            const QString full =
                QString::fromUtf8(readCorpusFile(QString::fromLatin1(name) + ".txt"));
            for (qsizetype n = 5; n <= rtf.size(); ++n) {
                const std::optional<QString> read = readPlainText(rtf.left(n));
                QVERIFY(read.has_value());
                QVERIFY2(
                    full.startsWith(*read),
                    qPrintable(QStringLiteral("%1 cut at %2: %3").arg(name).arg(n).arg(*read)));
            }
        }
    }

    // Inputs the fuzzer found, each once a failure: read, then written and read back the same.
    void fuzzFindings_data() {
        QTest::addColumn<QByteArray>("rtf");
        const QDir dir(corpusPath("fuzz"));
        const QStringList names = dir.entryList({"*.rtf"}, QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << readCorpusFile("fuzz/" + name);
    }
    void fuzzFindings() {
        QFETCH(QByteArray, rtf);
        const std::optional<QString> text = readPlainText(rtf);
        if (!text) return;
        QCOMPARE(readPlainText(writePlainText(*text)), text);
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("sheet") << QString(300, u'Q');
        QTest::newRow("rows") << u"ABCDEFGHIJKLMNOPQRST\nUVWXYZABCDEFGHIJKLMN"_qs;
        QTest::newRow("trailing line end") << u"ABC\n"_qs;
        QTest::newRow("only line ends") << u"\n\n\n"_qs;
        QTest::newRow("one line end") << u"\n"_qs;
        QTest::newRow("leading and inner spaces") << u"  a   b \n c "_qs;
        QTest::newRow("tabs") << u"\tA\t\tB\t"_qs;
        QTest::newRow("braces and backslashes") << u"{}\\{\\}\\\\par {\\rtf1}\\u233?"_qs;
        QTest::newRow("digits after escapes") << u"\\123{456}7\t8"_qs;
        QTest::newRow("latin-1 and cp1252") << u"café Straße €‰ “quoted” – — …"_qs;
        QTest::newRow("cyrillic") << u"Съешь же ещё этих мягких французских булок"_qs;
        QTest::newRow("greek") << u"Ξεσκεπάζω την ψυχοφθόρα βδελυγμία"_qs;
        QTest::newRow("cjk") << u"漢字 日本語 한국어"_qs;
        QTest::newRow("emoji") << u"😀 🎉 👍 end"_qs;
        QTest::newRow("highest code points") << u"\uffef\U0010FFFD\u007e"_qs;
        QTest::newRow("non-breaking space and separators") << u"a\u00a0b\u2028c\u2029d"_qs;
        QTest::newRow("question marks after non-ascii") << u"é??\n?"_qs;
    }
    void roundTrip() {
        QFETCH(QString, text);
        const QByteArray rtf = writePlainText(text);
        const std::optional<QString> read = readPlainText(rtf);
        QVERIFY(read.has_value());
        QCOMPARE(*read, text);
    }

    // What the writer cannot keep: CR (a line end is "\n"), other control characters and
    // halves of surrogate pairs.
    void writerCleansText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        QTest::newRow("crlf") << u"A\r\nB\r\n"_qs << u"A\nB\n"_qs;
        QTest::newRow("control characters")
            << QString(u"a\u0001b\u001fc\u007fd\u0000e"_qs) << u"abcde"_qs;
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u"x"_qs << u"\ufffdx"_qs;
        QTest::newRow("lone low surrogate") << u"x"_qs + QChar(0xDE00) << u"x\ufffd"_qs;
    }
    void writerCleansText() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        QCOMPARE(readPlainText(writePlainText(text)), std::optional<QString>(read));
    }

    // A file a word processor opens: the usual header, 7-bit bytes only, balanced groups.
    void writerDocumentShape() {
        const QByteArray rtf = writePlainText(u"{Ж}\\\n😀\t"_qs);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        QVERIFY(rtf.contains("{\\fonttbl{\\f0"));
        QVERIFY(rtf.endsWith("}"));
        QVERIFY(rtf.contains("\\u1046?"));
        QVERIFY(rtf.contains("\\u-10179?\\u-8704?"));
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            const char c = rtf[i];
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
            if (c == '\\')
                ++i;
            else if (c == '{')
                ++depth;
            else if (c == '}')
                QVERIFY(--depth >= 0);
            if (depth == 0) QCOMPARE(i, rtf.size() - 1);
        }
        QCOMPARE(depth, 0);
    }
};

QTEST_GUILESS_MAIN(TestRtf)
#include "tst_rtf.moc"
