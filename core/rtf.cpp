#include "core/rtf.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

#include "core/textfile.h"

namespace core::rtf {

namespace {

// What a control word means to a plain-text reader. Words not in the table only format.
enum class Kind : quint8 {
    Destination,    // its group holds no text: skipped with everything nested in it
    FontTable,      // a destination whose \f, \fcharset and \cpg give each font's code page
    Paragraph,      // a paragraph mark: "\n", except the document's last one
    Text,           // the fixed character `value` ("\n" for \line and \cell)
    Footnote,       // \chftn: the number of the footnote, counted through the body
    UnicodeSkip,    // \ucN: fallback characters that follow each \uN
    Unicode,        // \uN
    Binary,         // \binN: N raw bytes follow
    CodePage,       // \ansicpgN
    FixedCodePage,  // \ansi, \mac, \pc, \pca: the code page `value`
    Font,           // \fN
    DefaultFont,    // \deffN
    FontCharset,    // \fcharsetN (font table only)
    FontCodePage,   // \cpgN (font table only)
};

struct WordInfo {
    std::string_view name;
    Kind kind;
    char16_t value = 0;
};

// Sorted by name for the binary search in findWord.
constexpr WordInfo kWords[] = {
    {"aftncn", Kind::Destination},
    {"aftnsep", Kind::Destination},
    {"aftnsepc", Kind::Destination},
    {"annotation", Kind::Destination},
    {"ansi", Kind::FixedCodePage, 1252},
    {"ansicpg", Kind::CodePage},
    {"atnauthor", Kind::Destination},
    {"atndate", Kind::Destination},
    {"atnicn", Kind::Destination},
    {"atnid", Kind::Destination},
    {"atnparent", Kind::Destination},
    {"atnref", Kind::Destination},
    {"atntime", Kind::Destination},
    {"atrfend", Kind::Destination},
    {"atrfstart", Kind::Destination},
    {"author", Kind::Destination},
    {"bin", Kind::Binary},
    {"bkmkend", Kind::Destination},
    {"bkmkstart", Kind::Destination},
    {"bullet", Kind::Text, 0x2022},
    {"buptim", Kind::Destination},
    {"category", Kind::Destination},
    {"cell", Kind::Text, u'\n'},
    {"chftn", Kind::Footnote},
    {"colortbl", Kind::Destination},
    {"comment", Kind::Destination},
    {"company", Kind::Destination},
    {"cpg", Kind::FontCodePage},
    {"creatim", Kind::Destination},
    {"datafield", Kind::Destination},
    {"datastore", Kind::Destination},
    {"deff", Kind::DefaultFont},
    {"doccomm", Kind::Destination},
    {"docvar", Kind::Destination},
    {"emdash", Kind::Text, 0x2014},
    {"emspace", Kind::Text, 0x2003},
    {"endash", Kind::Text, 0x2013},
    {"enspace", Kind::Text, 0x2002},
    {"f", Kind::Font},
    {"falt", Kind::Destination},
    {"fchars", Kind::Destination},
    {"fcharset", Kind::FontCharset},
    {"ffdeftext", Kind::Destination},
    {"ffentrymcr", Kind::Destination},
    {"ffexitmcr", Kind::Destination},
    {"ffformat", Kind::Destination},
    {"ffhelptext", Kind::Destination},
    {"ffl", Kind::Destination},
    {"ffname", Kind::Destination},
    {"ffstattext", Kind::Destination},
    {"file", Kind::Destination},
    {"filetbl", Kind::Destination},
    {"fldinst", Kind::Destination},
    {"fontemb", Kind::Destination},
    {"fontfile", Kind::Destination},
    {"fonttbl", Kind::FontTable},
    {"footer", Kind::Destination},
    {"footerf", Kind::Destination},
    {"footerl", Kind::Destination},
    {"footerr", Kind::Destination},
    {"footnote", Kind::Destination},
    {"ftncn", Kind::Destination},
    {"ftnsep", Kind::Destination},
    {"ftnsepc", Kind::Destination},
    {"generator", Kind::Destination},
    {"header", Kind::Destination},
    {"headerf", Kind::Destination},
    {"headerl", Kind::Destination},
    {"headerr", Kind::Destination},
    {"hlinkbase", Kind::Destination},
    {"info", Kind::Destination},
    {"keywords", Kind::Destination},
    {"lchars", Kind::Destination},
    {"ldblquote", Kind::Text, 0x201C},
    {"line", Kind::Text, u'\n'},
    {"listoverridetable", Kind::Destination},
    {"listtable", Kind::Destination},
    {"lquote", Kind::Text, 0x2018},
    {"ltrmark", Kind::Text, 0x200E},
    {"mac", Kind::FixedCodePage, 10000},
    {"manager", Kind::Destination},
    {"nestcell", Kind::Text, u'\n'},
    {"nonshppict", Kind::Destination},
    {"objalias", Kind::Destination},
    {"objclass", Kind::Destination},
    {"objdata", Kind::Destination},
    {"objname", Kind::Destination},
    {"objsect", Kind::Destination},
    {"objtime", Kind::Destination},
    {"operator", Kind::Destination},
    {"par", Kind::Paragraph},
    {"pc", Kind::FixedCodePage, 437},
    {"pca", Kind::FixedCodePage, 850},
    {"pgdsctbl", Kind::Destination},
    {"pict", Kind::Destination},
    {"pn", Kind::Destination},
    {"pntxta", Kind::Destination},
    {"pntxtb", Kind::Destination},
    {"printim", Kind::Destination},
    {"private", Kind::Destination},
    {"qmspace", Kind::Text, 0x2005},
    {"rdblquote", Kind::Text, 0x201D},
    {"revtbl", Kind::Destination},
    {"revtim", Kind::Destination},
    {"rquote", Kind::Text, 0x2019},
    {"rsidtbl", Kind::Destination},
    {"rtlmark", Kind::Text, 0x200F},
    {"rxe", Kind::Destination},
    {"sect", Kind::Paragraph},
    {"shprslt", Kind::Destination},
    {"stylesheet", Kind::Destination},
    {"subject", Kind::Destination},
    {"tab", Kind::Text, u'\t'},
    {"tc", Kind::Destination},
    {"tcn", Kind::Destination},
    {"template", Kind::Destination},
    {"themedata", Kind::Destination},
    {"title", Kind::Destination},
    {"txe", Kind::Destination},
    {"u", Kind::Unicode},
    {"uc", Kind::UnicodeSkip},
    {"userprops", Kind::Destination},
    {"xe", Kind::Destination},
    {"xmlnstbl", Kind::Destination},
    {"zwbo", Kind::Text, 0x200B},
    {"zwj", Kind::Text, 0x200D},
    {"zwnj", Kind::Text, 0x200C},
};
static_assert(std::is_sorted(std::begin(kWords), std::end(kWords),
                             [](const WordInfo& a, const WordInfo& b) { return a.name < b.name; }));

// Longest control word the format allows; longer letter runs are no known word.
constexpr std::size_t kMaxWordLength = 32;

const WordInfo* findWord(std::string_view name) {
    if (name.size() > kMaxWordLength) return nullptr;
    const auto it =
        std::lower_bound(std::begin(kWords), std::end(kWords), name,
                         [](const WordInfo& w, std::string_view n) { return w.name < n; });
    return it != std::end(kWords) && it->name == name ? it : nullptr;
}

// Windows font character sets (\fcharsetN) and their code pages. Symbol (2) and OEM (255)
// sets are read in the document's code page.
constexpr std::pair<int, int> kCharsetCodePages[] = {
    {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
    {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437}};

// The code page of a font character set; 0 for "the document's".
int codePageOfCharset(int charset) {
    for (const auto& [set, codePage] : kCharsetCodePages)
        if (set == charset) return codePage;
    return 0;
}

// The Windows code pages this reader decodes, by number. A document that names another one
// is read as Windows-1252. The list is closed so that a document cannot make the reader try
// the system's decoders for millions of made-up numbers.
constexpr int kSingleByteCodePages[] = {
    437,   708,   720,   737,   775,   850,   852,   855,   857,   860,   861,   862,
    863,   864,   865,   866,   869,   874,   1250,  1251,  1252,  1253,  1254,  1255,
    1256,  1257,  1258,  10000, 10004, 10005, 10006, 10007, 10029, 10079, 10081, 20866,
    21866, 28591, 28592, 28593, 28594, 28595, 28596, 28597, 28598, 28599, 28605};
// Code pages whose characters may take more than one byte: their bytes are gathered and
// decoded together.
constexpr int kMultiByteCodePages[] = {932, 936, 949, 950, 1361, 54936, 65001};

template <std::size_t N>
bool listed(const int (&list)[N], int codePage) {
    return std::find(std::begin(list), std::end(list), codePage) != std::end(list);
}

// A stateless decoder for a code page number, or an invalid one when this system has none.
QStringDecoder decoderFor(int codePage) {
    constexpr auto kFlags = QStringDecoder::Flag::Stateless;
    if (codePage == 65001) return QStringDecoder(QStringDecoder::Utf8, kFlags);
    if (codePage == 54936) return QStringDecoder("GB18030", kFlags);
    for (const char* pattern : {"windows-%1", "cp%1", "ibm-%1"}) {
        const QByteArray name = QString::fromLatin1(pattern).arg(codePage).toLatin1();
        QStringDecoder decoder(name.constData(), kFlags);
        if (decoder.isValid()) return decoder;
    }
    return QStringDecoder();
}

// What the system's decoders give for a byte sequence the code page does not define.
constexpr QChar kSubstitute(0x1A);

using ByteTable = std::array<char16_t, 256>;

// Windows-1252, the code page of nearly every file; also the fallback for unknown ones.
const ByteTable& cp1252Table() {
    static const ByteTable table = [] {
        ByteTable t{};
        for (int b = 0; b < 256; ++b) {
            // A lone byte above 0x7F is never UTF-8, so decodeText reads it as Windows-1252.
            const QString s = decodeText(QByteArray(1, char(b)));
            t[std::size_t(b)] = s.size() == 1 ? s[0].unicode() : char16_t(b);
        }
        return t;
    }();
    return table;
}

// Turns code-page bytes into text, keeping one table or decoder for each code page met.
class CodePages {
  public:
    // A known code page number, or 1252 for any other.
    static int normalised(int codePage) {
        return listed(kSingleByteCodePages, codePage) || listed(kMultiByteCodePages, codePage)
                   ? codePage
                   : 1252;
    }

    static bool isMultiByte(int codePage) { return listed(kMultiByteCodePages, codePage); }

    // The character of each byte of a single-byte code page; U+FFFD for unassigned bytes.
    const ByteTable& table(int codePage) {
        if (codePage == 1252) return cp1252Table();
        const auto it = tables_.find(codePage);
        if (it != tables_.end()) return it->second;
        ByteTable& t = tables_[codePage];
        t = cp1252Table();
        QStringDecoder decoder = decoderFor(codePage);
        if (!decoder.isValid()) return t;
        for (int b = 0x80; b < 256; ++b) {
            const QString s = decoder.decode(QByteArray(1, char(b)));
            t[std::size_t(b)] =
                s.size() == 1 && s[0] != kSubstitute ? s[0].unicode() : char16_t(0xFFFD);
        }
        return t;
    }

    // Bytes of a multi-byte code page; undefined sequences give U+FFFD.
    QString decode(int codePage, const QByteArray& bytes) {
        auto it = decoders_.find(codePage);
        if (it == decoders_.end()) it = decoders_.emplace(codePage, decoderFor(codePage)).first;
        QString text = it->second.isValid() ? it->second.decode(bytes) : decodeText(bytes);
        text.replace(kSubstitute, QChar(0xFFFD));
        return text;
    }

  private:
    std::map<int, ByteTable> tables_;
    std::map<int, QStringDecoder> decoders_;
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A control word as read: its letters and its parameter (0 when it has none).
struct ControlWord {
    std::string_view name;
    qint64 parameter = 0;  // saturated to +-2^40, far beyond every meaningful value
};

// One pass over the bytes with an explicit group stack: nesting depth costs memory in
// proportion to the input, never recursion; counts read from the input (\binN, \ucN, \uN)
// never size an allocation.
class Reader {
  public:
    explicit Reader(QByteArrayView bytes) : p_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    QString run() {
        while (p_ < end_ && !finished_) {
            if (skipping_)
                skipStep();
            else
                textStep();
        }
        flushBytes();
        endPair();  // a high surrogate left without its partner
        if (paragraphEnd_ >= 0 && paragraphEnd_ == out_.size()) out_.chop(1);
        return out_;
    }

  private:
    struct Group {
        int uc = 1;     // fallback characters after \uN
        int font = -1;  // -1: the default font (\deff)
    };

    // Reading visible text: runs of plain bytes go out in one piece.
    void textStep() {
        const char c = *p_;
        if (c == '\\') {
            ++p_;
            controlInText();
            return;
        }
        if (c == '{') {
            ++p_;
            openGroup();
            return;
        }
        if (c == '}') {
            ++p_;
            closeGroup();
            return;
        }
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            const char* start = p_;
            while (p_ < end_ && static_cast<unsigned char>(*p_) >= 0x20 &&
                   static_cast<unsigned char>(*p_) < 0x7F && *p_ != '\\' && *p_ != '{' &&
                   *p_ != '}')
                ++p_;
            plainRun(start, p_);
            return;
        }
        ++p_;
        if (b == '\r' || b == '\n') return;  // line ends of the source are not text
        if (b == '\t')
            text(u'\t');
        else if (b >= 0x80)
            codeByte(b);
        // other control bytes are not text
    }

    void plainRun(const char* start, const char* stop) {
        const qsizetype skipped = std::min<qsizetype>(fallback_, stop - start);
        fallback_ -= int(skipped);
        start += skipped;
        if (start == stop) return;
        flushBytes();
        endPair();
        out_.append(QLatin1StringView(start, stop - start));
    }

    // Inside a skipped destination only braces and \bin matter; its text is thrown away.
    void skipStep() {
        while (p_ < end_) {
            const char c = *p_++;
            if (c == '{') {
                ++skipDepth_;
            } else if (c == '}') {
                if (skipDepth_ > 0) {
                    --skipDepth_;
                } else {
                    skipping_ = false;
                    fontTable_ = false;
                    closeGroup();
                    return;
                }
            } else if (c == '\\') {
                if (p_ >= end_) return;
                if (!isLetter(*p_)) {
                    ++p_;  // a control symbol, escaped braces included
                    continue;
                }
                const ControlWord w = readWord();
                if (w.name == "bin")
                    skipBinary(w);
                else if (fontTable_)
                    fontTableWord(w);
            }
        }
    }

    void fontTableWord(const ControlWord& w) {
        if (w.name == "f") {
            tableFont_ = clampInt(w.parameter);
        } else if (w.name == "fcharset" && tableFont_ >= 0) {
            const int cp = codePageOfCharset(clampInt(w.parameter));
            if (cp != 0) fontCodePages_.insert(tableFont_, cp);
        } else if (w.name == "cpg" && tableFont_ >= 0 && w.parameter > 0) {
            fontCodePages_.insert(tableFont_, CodePages::normalised(clampInt(w.parameter)));
        }
    }

    // Reads letters and an optional parameter after a backslash, and the space that may end
    // them. p_ points at the first letter.
    ControlWord readWord() {
        ControlWord w;
        const char* start = p_;
        while (p_ < end_ && isLetter(*p_))
            ++p_;
        w.name = std::string_view(start, std::size_t(p_ - start));
        bool negative = false;
        if (p_ + 1 < end_ && *p_ == '-' && isDigit(p_[1])) {
            negative = true;
            ++p_;
        }
        if (p_ < end_ && isDigit(*p_)) {
            constexpr qint64 kLimit = qint64(1) << 40;
            while (p_ < end_ && isDigit(*p_)) {
                w.parameter = std::min(kLimit, w.parameter * 10 + (*p_ - '0'));
                ++p_;
            }
            if (negative) w.parameter = -w.parameter;
        }
        if (p_ < end_ && *p_ == ' ') ++p_;
        return w;
    }

    static int clampInt(qint64 v) {
        return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    }

    void skipBinary(const ControlWord& w) {
        const qint64 n = std::clamp<qint64>(w.parameter, 0, end_ - p_);
        p_ += n;
    }

    void openGroup() {
        fallback_ = 0;
        if (stack_.size() < kMaxSavedGroups)
            stack_.push_back(group_);
        else
            ++unsavedGroups_;
    }

    void closeGroup() {
        fallback_ = 0;
        if (unsavedGroups_ > 0) {
            --unsavedGroups_;
            return;
        }
        if (stack_.empty()) {  // cannot happen: the document ends with its outer group
            finished_ = true;
            return;
        }
        group_ = stack_.back();
        stack_.pop_back();
        if (stack_.empty()) finished_ = true;  // the brace that closes {\rtf1
    }

    void startSkipping(bool fontTable) {
        skipping_ = true;
        fontTable_ = fontTable;
        tableFont_ = -1;
        skipDepth_ = 0;
    }

    void controlInText() {
        if (p_ >= end_) return;
        const char c = *p_;
        if (!isLetter(c)) {
            ++p_;
            controlSymbol(c);
            return;
        }
        const ControlWord w = readWord();
        const WordInfo* info = findWord(w.name);
        if (info == nullptr) return;
        switch (info->kind) {
            case Kind::Destination:
                startSkipping(false);
                break;
            case Kind::FontTable:
                startSkipping(true);
                break;
            case Kind::Paragraph:
                if (text(u'\n')) paragraphEnd_ = out_.size();
                break;
            case Kind::Text:
                text(info->value);
                break;
            case Kind::Footnote:
                if (fallback_ > 0) {
                    --fallback_;
                } else {
                    flushBytes();
                    endPair();
                    out_.append(QString::number(++footnotes_));
                }
                break;
            case Kind::UnicodeSkip:
                group_.uc = clampInt(std::max<qint64>(0, w.parameter));
                break;
            case Kind::Unicode:
                unicode(w.parameter);
                break;
            case Kind::Binary:
                skipBinary(w);
                break;
            case Kind::CodePage:
                if (w.parameter > 0)
                    documentCodePage_ = CodePages::normalised(clampInt(w.parameter));
                break;
            case Kind::FixedCodePage:
                documentCodePage_ = info->value;
                break;
            case Kind::Font:
                group_.font = clampInt(w.parameter);
                break;
            case Kind::DefaultFont:
                defaultFont_ = clampInt(w.parameter);
                break;
            case Kind::FontCharset:
            case Kind::FontCodePage:
                break;  // meaningful in the font table only
        }
    }

    void controlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                text(char16_t(c));
                break;
            case '~':
                text(0x00A0);
                break;
            case '_':
                text(0x2011);
                break;
            case '*':
                startSkipping(false);
                break;
            case '\r':
            case '\n':
                if (text(u'\n')) paragraphEnd_ = out_.size();
                break;
            case '\'': {
                int value = 0;
                int digits = 0;
                while (digits < 2 && p_ < end_ && hexValue(*p_) >= 0) {
                    value = value * 16 + hexValue(*p_);
                    ++p_;
                    ++digits;
                }
                if (digits > 0) codeByte(static_cast<unsigned char>(value));
                break;
            }
            default:
                break;  // \- (optional hyphen), \| and the like show nothing
        }
    }

    void unicode(qint64 n) {
        if (n < 0) n += 65536;
        fallback_ = group_.uc;
        flushBytes();
        if (n < 0 || n > 0x10FFFF) {
            put(0xFFFD);
        } else if (n > 0xFFFF) {
            put(QChar::highSurrogate(char32_t(n)));
            put(QChar::lowSurrogate(char32_t(n)));
        } else {
            put(char16_t(n));
        }
    }

    // A text character from the source: the fallback of a \uN when one is pending.
    // Returns whether it went out.
    bool text(char16_t c) {
        if (fallback_ > 0) {
            --fallback_;
            return false;
        }
        flushBytes();
        put(c);
        return true;
    }

    // A byte in the code page of the current font.
    void codeByte(unsigned char b) {
        if (fallback_ > 0) {
            --fallback_;
            return;
        }
        const int cp = currentCodePage();
        if (CodePages::isMultiByte(cp)) {
            if (!pendingBytes_.isEmpty() && pendingCodePage_ != cp) flushBytes();
            pendingCodePage_ = cp;
            pendingBytes_.append(char(b));
            return;
        }
        flushBytes();
        if (cp != tableCodePage_) {
            table_ = &codePages_.table(cp);
            tableCodePage_ = cp;
        }
        put((*table_)[b]);
    }

    int currentCodePage() const {
        const int font = group_.font >= 0 ? group_.font : defaultFont_;
        return fontCodePages_.value(font, documentCodePage_);
    }

    void flushBytes() {
        if (pendingBytes_.isEmpty()) return;
        const QString s = codePages_.decode(pendingCodePage_, pendingBytes_);
        pendingBytes_.clear();
        for (const QChar ch : s)
            put(ch.unicode());
    }

    // Replaces a high surrogate that no low one follows with U+FFFD.
    void endPair() {
        if (!high_) return;
        out_[out_.size() - 1] = QChar(0xFFFD);
        high_ = false;
    }

    // Appends one UTF-16 unit, keeping surrogates paired: a lone half becomes U+FFFD.
    // Control characters other than "\n" and "\t", DEL included, are not text: they are
    // dropped, as the writer drops them, whatever spelling brought them in.
    void put(char16_t c) {
        if ((c < 0x20 && c != u'\n' && c != u'\t') || c == 0x7F) return;
        if (QChar::isLowSurrogate(c)) {
            if (high_) {
                high_ = false;
                out_.append(QChar(c));
            } else {
                out_.append(QChar(0xFFFD));
            }
            return;
        }
        endPair();
        out_.append(QChar(c));
        high_ = QChar::isHighSurrogate(c);
    }

    const char* p_;
    const char* end_;
    QString out_;
    // Groups nested deeper than this share their parent's state (\uc and font changes inside
    // them last until that parent closes), so that the stack stays below 8 MB. Real
    // documents nest a few dozen levels.
    static constexpr std::size_t kMaxSavedGroups = 1 << 20;
    std::vector<Group> stack_;  // the enclosing groups' states
    qsizetype unsavedGroups_ = 0;
    Group group_;
    bool finished_ = false;
    bool skipping_ = false;
    bool fontTable_ = false;
    qsizetype skipDepth_ = 0;  // groups open inside the skipped destination
    int tableFont_ = -1;
    int fallback_ = 0;  // fallback characters still to skip after a \uN
    int footnotes_ = 0;
    bool high_ = false;  // the last unit out is a high surrogate still waiting for its pair
    qsizetype paragraphEnd_ = -1;  // the text's length right after the last paragraph mark
    int documentCodePage_ = 1252;
    int defaultFont_ = 0;
    QHash<int, int> fontCodePages_;
    CodePages codePages_;
    int tableCodePage_ = 1252;
    const ByteTable* table_ = &cp1252Table();
    QByteArray pendingBytes_;
    int pendingCodePage_ = 0;
};

}  // namespace

std::optional<QString> readPlainText(const QByteArray& document) {
    if (!document.startsWith("{\\rtf")) return std::nullopt;
    return Reader(document).run();
}

QByteArray writePlainText(const QString& text) {
    QByteArray out =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"
        "\\viewkind4\\pard\\plain\\f0\\fs20 ";
    out.reserve(out.size() + text.size() + 16);
    const auto writeUnit = [&out](char16_t u) {
        out += "\\u";
        out += QByteArray::number(int(qint16(u)));
        out += '?';
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
            case u'\\':
                out += "\\\\";
                continue;
            case u'{':
                out += "\\{";
                continue;
            case u'}':
                out += "\\}";
                continue;
            case u'\n':
                out += "\n\\par ";
                continue;
            case u'\t':
                out += "\\tab ";
                continue;
            default:
                break;
        }
        if (c < 0x20 || c == 0x7F) continue;  // other control characters are not text
        if (c < 0x7F) {
            out += char(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            writeUnit(c);
            writeUnit(text[++i].unicode());
        } else if (QChar::isSurrogate(c)) {
            writeUnit(0xFFFD);  // half of a pair has no character to stand for
        } else {
            writeUnit(c);
        }
    }
    out += "\n\\par }";
    return out;
}

}  // namespace core::rtf
