// RTF reading speed (target: 30 MB/s or more) on a document of about 1 MB written the way a
// word processor writes one: font, colour and style tables, a header, paragraphs of formatted
// runs with accented and Cyrillic letters as \uN plus their \'hh fallbacks, tabs, a table,
// a field and a picture every few pages.
// Run: build-bench/bench/bench_rtf
#include <benchmark/benchmark.h>

#include <random>

#include "core/rtf.h"

namespace {

constexpr qsizetype kDocumentBytes = 1 << 20;

const char* const kHeader =
    "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 "
    "Symbol;}{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}{\\f3\\froman\\fprq2\\fcharset0 Liberation "
    "Serif{\\*\\falt Times New Roman};}{\\f4\\fswiss\\fprq2\\fcharset0 Liberation Sans{\\*\\falt "
    "Arial};}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\n"
    "{\\stylesheet{\\s0\\snext0\\rtlch\\af7\\afs24\\alang1081 \\ltrch\\lang1033\\langfe2052\\hich"
    "\\af3\\loch\\nowidctlpar\\hyphpar0\\ltrpar\\cf0\\f3\\fs24\\lang1033\\kerning1\\dbch\\af7"
    "\\langfe2052 Normal;}\n{\\*\\cs15\\snext15\\loch\\cf9\\ul\\ulc0 Internet Link;}}\n"
    "{\\*\\generator Bench;}{\\info{\\creatim\\yr2024\\mo1\\dy1\\hr0\\min0}}\\deftab709\n"
    "{\\header\\pard\\plain \\s26{\\loch HEADER TEXT}\\par }\n";

const char* const kParagraphStart =
    "\\par \\pard\\plain \\s0\\rtlch\\af7\\afs24\\alang1081 \\ltrch\\lang1033\\langfe2052\\hich"
    "\\af3\\loch\\nowidctlpar\\hyphpar0\\ltrpar\\cf0\\f3\\fs24\\lang1033\\kerning1\\dbch\\af7"
    "\\langfe2052\\ql\\ltrpar";

const char* const kWords[] = {"puzzle",
                              "sheet",
                              "letters",
                              "search",
                              "row",
                              "column",
                              "diagonal",
                              "word",
                              "caf\\u233\\'e9",
                              "na\\u239\\'efve",
                              "\\u8220\\'93quoted\\u8221\\'94",
                              "Stra\\u223\\'dfe",
                              "\\u1046\\'3f\\u1091\\'3f\\u1082",
                              "\\{braces\\}",
                              "C:\\\\path",
                              "end\\u8212\\'97dash"};

// The same document on every run: a fixed seed.
QByteArray realisticDocument() {
    std::mt19937 rng(2024);
    QByteArray doc(kHeader);
    doc.reserve(kDocumentBytes + 4096);
    int paragraph = 0;
    while (doc.size() < kDocumentBytes) {
        doc += kParagraphStart;
        const int runs = 1 + int(rng() % 6);
        for (int r = 0; r < runs; ++r) {
            doc += (rng() % 3 == 0) ? "{\\loch\\b " : "{\\loch\n";
            const int words = 4 + int(rng() % 20);
            for (int w = 0; w < words; ++w) {
                doc += kWords[rng() % std::size(kWords)];
                doc += (rng() % 10 == 0) ? "\\tab " : " ";
            }
            doc += "}";
        }
        if (++paragraph % 40 == 0) {
            doc +=
                "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/\" }{\\fldrslt "
                "{\\loch\\cf9\\ul link text}}}";
            doc +=
                "\\trowd\\cellx3213\\cellx6425\\pard\\intbl{\\loch A1}\\cell{\\loch B1}"
                "\\cell\\row\\pard";
            doc += "{\\*\\shppict{\\pict\\pngblip\\picw4\\pich4 ";
            for (int i = 0; i < 16; ++i)
                doc += "89504e470d0a1a0a0000000d4948445200000004000000040802000000269309290000";
            doc += "}}";
        }
    }
    doc += "\\par }";
    return doc;
}

void BM_ReadPlainText(benchmark::State& state) {
    const QByteArray doc = realisticDocument();
    qsizetype chars = 0;
    for (auto _ : state) {
        const std::optional<QString> text = core::rtf::readPlainText(doc);
        chars = text ? text->size() : -1;
        benchmark::DoNotOptimize(chars);
    }
    state.SetBytesProcessed(state.iterations() * doc.size());
    state.counters["document_bytes"] = double(doc.size());
    state.counters["text_chars"] = double(chars);
}
BENCHMARK(BM_ReadPlainText)->Unit(benchmark::kMillisecond);

void BM_WritePlainText(benchmark::State& state) {
    const QString text = *core::rtf::readPlainText(realisticDocument());
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = core::rtf::writePlainText(text).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_WritePlainText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
