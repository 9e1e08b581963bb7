// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtfreader.h"

#include "platform/ansicodepage.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace rtf {

namespace {

constexpr QChar kLineBreak(0x2028);
constexpr QChar kParagraphBreak(0x2029);
constexpr int kLatin1CodePage = 28591;
// A \uc beyond this is not a real fallback length; it would only swallow the text.
constexpr int kMaxFallbackLength = 16;
constexpr int kMaxHalfPoints = 3276;

// Destinations whose text is not part of the document's visible text.
bool isHiddenDestination(std::string_view word)
{
    static const std::unordered_set<std::string_view> kHidden{
        "aftncn",       "aftnsep",
        "aftnsepc",     "annotation",
        "atnauthor",    "atnid",
        "author",       "background",
        "bkmkend",      "bkmkstart",
        "blipuid",      "buptim",
        "colortbl",     "colorschememapping",
        "comment",      "company",
        "creatim",      "datastore",
        "do",           "doccomm",
        "falt",         "fldinst",
        "filetbl",      "fontemb",
        "fontfile",     "footer",
        "footerf",      "footerl",
        "footerr",      "footnote",
        "ftncn",        "ftnsep",
        "ftnsepc",      "generator",
        "header",       "headerf",
        "headerl",      "headerr",
        "info",         "keywords",
        "latentstyles", "listoverridetable",
        "listpicture",  "listtable",
        "mmathPr",      "nonshppict",
        "object",       "objdata",
        "operator",     "panose",
        "passwordhash", "pgdsctbl",
        "pict",         "pn",
        "pnseclvl",     "printim",
        "private",      "revtbl",
        "revtim",       "rsidtbl",
        "shpinst",      "shppict",
        "sn",           "sp",
        "stylesheet",   "subject",
        "sv",           "tc",
        "template",     "themedata",
        "title",        "txe",
        "userprops",    "wgrffmtfilter",
        "xe",           "xmlnstbl",
    };
    return kHidden.count(word) != 0;
}

bool isUnderlineOn(std::string_view word)
{
    static const std::unordered_set<std::string_view> kUnderlines{
        "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
        "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
        "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave"};
    return kUnderlines.count(word) != 0;
}

enum class Destination { Text, FontTable, Hidden };

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;
    int font = -1;
    int fallbackLength = 1;
    Destination destination = Destination::Text;
};

class Reader {
public:
    explicit Reader(QByteArrayView in) : m_in(in) {}
    Document read();

private:
    char peek(qsizetype at) const { return at < m_in.size() ? m_in.at(at) : '\0'; }
    void openGroup();
    void closeGroup();
    void readControl();
    void controlWord(std::string_view word, bool hasParameter, int parameter);
    void controlSymbol(char symbol);
    void byte(unsigned char value);
    void character(QChar ch);
    void newParagraph();
    bool swallowedAsFallback();
    int codePage() const;
    int currentFont() const;
    GroupState& state() { return m_stack.back(); }
    bool showsText() const { return !m_stack.empty() && m_stack.back().destination == Destination::Text; }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    bool m_done = false;
    std::vector<GroupState> m_stack;
    // Groups opened beyond kMaxDepth: their braces are counted, their state is the last one kept.
    int m_flatDepth = 0;
    // Fallback characters of the last \uN still to be dropped.
    int m_pendingFallback = 0;
    int m_documentCodePage = ansicodepage::kWestern;
    int m_defaultFont = -1;
    int m_tableFont = -1;
    QHash<int, int> m_fontCodePages;
    QSet<int> m_fixedPitchFonts;
    Document m_document;
};

Document Reader::read()
{
    while (m_pos < m_in.size() && !m_done) {
        const char c = m_in.at(m_pos);
        switch (c) {
        case '{':
            ++m_pos;
            openGroup();
            break;
        case '}':
            ++m_pos;
            closeGroup();
            break;
        case '\\':
            readControl();
            break;
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            ++m_pos;
            if (!m_stack.empty() && !swallowedAsFallback())
                byte(static_cast<unsigned char>(c));
            break;
        }
    }
    return std::move(m_document);
}

void Reader::openGroup()
{
    m_pendingFallback = 0;
    if (static_cast<int>(m_stack.size()) >= kMaxDepth) {
        ++m_flatDepth;
        return;
    }
    m_stack.push_back(m_stack.empty() ? GroupState{} : m_stack.back());
}

void Reader::closeGroup()
{
    m_pendingFallback = 0;
    if (m_flatDepth > 0) {
        --m_flatDepth;
        return;
    }
    if (m_stack.empty())
        return;
    m_stack.pop_back();
    // Whatever follows the document's outer group is not part of it.
    if (m_stack.empty())
        m_done = true;
}

void Reader::readControl()
{
    const qsizetype start = m_pos + 1;
    if (start >= m_in.size()) {
        m_pos = start;
        return;
    }
    const char first = m_in.at(start);
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isLetter(first)) {
        m_pos = start + 1;
        if (first == '\'') {
            const auto hex = [](char c) {
                if (c >= '0' && c <= '9')
                    return c - '0';
                if (c >= 'a' && c <= 'f')
                    return c - 'a' + 10;
                if (c >= 'A' && c <= 'F')
                    return c - 'A' + 10;
                return -1;
            };
            const int high = hex(peek(m_pos));
            if (high < 0)
                return;
            const int low = hex(peek(m_pos + 1));
            // A broken escape shows nothing, whichever of its digits are there.
            m_pos += low < 0 ? 1 : 2;
            if (low < 0)
                return;
            if (!m_stack.empty() && !swallowedAsFallback())
                byte(static_cast<unsigned char>(high * 16 + low));
            return;
        }
        if (!m_stack.empty() && !swallowedAsFallback())
            controlSymbol(first);
        return;
    }

    qsizetype end = start;
    while (end < m_in.size() && isLetter(m_in.at(end)))
        ++end;
    const std::string_view word(m_in.data() + start, static_cast<size_t>(end - start));
    bool negative = false;
    if (peek(end) == '-' && isDigit(peek(end + 1))) {
        negative = true;
        ++end;
    }
    bool hasParameter = false;
    std::int64_t value = 0;
    while (end < m_in.size() && isDigit(m_in.at(end))) {
        hasParameter = true;
        // Parameters are 16 or 32-bit numbers; longer digit strings saturate.
        if (value < 10'000'000'000LL)
            value = value * 10 + (m_in.at(end) - '0');
        ++end;
    }
    if (peek(end) == ' ')
        ++end;
    m_pos = end;
    value = std::clamp<std::int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX);
    const int parameter = static_cast<int>(value);

    if (word == "bin") {
        // Binary data of a picture or an object: never text.
        const qsizetype length = hasParameter && parameter > 0 ? parameter : 0;
        m_pos += std::min(length, m_in.size() - m_pos);
        return;
    }
    if (m_stack.empty() || swallowedAsFallback())
        return;
    controlWord(word, hasParameter, parameter);
}

void Reader::controlWord(std::string_view word, bool hasParameter, int parameter)
{
    GroupState& s = state();
    const bool on = !hasParameter || parameter != 0;

    // Document and font table settings, read wherever they stand.
    if (word == "ansicpg") {
        if (hasParameter)
            m_documentCodePage = parameter;
    } else if (word == "ansi") {
        m_documentCodePage = ansicodepage::kWestern;
    } else if (word == "mac" || word == "pc" || word == "pca") {
        m_documentCodePage = kLatin1CodePage;
    } else if (word == "deff") {
        m_defaultFont = parameter;
    } else if (word == "f") {
        if (s.destination == Destination::FontTable)
            m_tableFont = parameter;
        else
            s.font = parameter;
    } else if (word == "fcharset") {
        if (s.destination == Destination::FontTable && m_tableFont >= 0 && parameter != 1) {
            const int page = ansicodepage::fromCharset(parameter);
            m_fontCodePages.insert(m_tableFont, page != 0 ? page : kLatin1CodePage);
        }
    } else if (word == "fmodern" || (word == "fprq" && parameter == 1)) {
        if (s.destination == Destination::FontTable && m_tableFont >= 0)
            m_fixedPitchFonts.insert(m_tableFont);
    } else if (word == "cpg") {
        if (s.destination == Destination::FontTable && m_tableFont >= 0 && hasParameter)
            m_fontCodePages.insert(m_tableFont, parameter);
    } else if (word == "fonttbl") {
        if (s.destination == Destination::Text)
            s.destination = Destination::FontTable;
    } else if (isHiddenDestination(word)) {
        s.destination = Destination::Hidden;
    }
    // Character formatting.
    else if (word == "b") {
        s.bold = on;
    } else if (word == "i") {
        s.italic = on;
    } else if (isUnderlineOn(word)) {
        s.underline = on;
    } else if (word == "ulnone") {
        s.underline = false;
    } else if (word == "fs") {
        s.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, kMaxHalfPoints) : 0;
    } else if (word == "plain") {
        s.bold = s.italic = s.underline = false;
        s.halfPoints = 0;
    } else if (word == "uc") {
        s.fallbackLength = std::clamp(parameter, 0, kMaxFallbackLength);
    } else if (word == "u") {
        if (hasParameter) {
            const int unit = parameter < 0 ? parameter + 65536 : parameter;
            if (unit > 0 && unit <= 0xFFFF)
                character(QChar(static_cast<char16_t>(unit)));
        }
        m_pendingFallback = s.fallbackLength;
    }
    // Breaks and special characters.
    else if (word == "par" || word == "sect" || word == "page" || word == "row" || word == "nestrow") {
        newParagraph();
    } else if (word == "line") {
        character(kLineBreak);
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
        character(QLatin1Char('\t'));
    } else if (word == "emdash") {
        character(QChar(0x2014));
    } else if (word == "endash") {
        character(QChar(0x2013));
    } else if (word == "bullet") {
        character(QChar(0x2022));
    } else if (word == "lquote") {
        character(QChar(0x2018));
    } else if (word == "rquote") {
        character(QChar(0x2019));
    } else if (word == "ldblquote") {
        character(QChar(0x201C));
    } else if (word == "rdblquote") {
        character(QChar(0x201D));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        character(QLatin1Char(' '));
    }
}

void Reader::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character(QLatin1Char(symbol));
        break;
    case '~':
        character(QChar(0x00A0));
        break;
    case '_':
        character(QLatin1Char('-'));
        break;
    case '\t':
        character(QLatin1Char('\t'));
        break;
    case '\r':
    case '\n':
        newParagraph();
        break;
    case '*':
        // An optional destination: we know none of them well enough to show it.
        state().destination = Destination::Hidden;
        break;
    default:
        // \- (optional hyphen), \| and \: show nothing.
        break;
    }
}

bool Reader::swallowedAsFallback()
{
    if (m_pendingFallback <= 0)
        return false;
    --m_pendingFallback;
    return true;
}

int Reader::currentFont() const
{
    const GroupState& s = m_stack.back();
    return s.font >= 0 ? s.font : m_defaultFont;
}

int Reader::codePage() const
{
    const auto it = m_fontCodePages.constFind(currentFont());
    return it != m_fontCodePages.constEnd() ? *it : m_documentCodePage;
}

void Reader::byte(unsigned char value)
{
    if (!showsText())
        return;
    character(ansicodepage::decode(codePage(), value));
}

void Reader::character(QChar ch)
{
    if (!showsText())
        return;
    if (ch == kParagraphBreak) {
        newParagraph();
        return;
    }
    // Control characters other than the tab have no place in a text.
    if (ch.unicode() < 0x20 && ch != QLatin1Char('\t'))
        return;
    const GroupState& s = m_stack.back();
    Run format;
    format.bold = s.bold;
    format.italic = s.italic;
    format.underline = s.underline;
    format.halfPoints = s.halfPoints;
    format.fixedPitch = m_fixedPitchFonts.contains(currentFont());
    QList<Run>& runs = m_document.paragraphs.last().runs;
    if (runs.isEmpty() || !runs.last().sameFormat(format))
        runs.append(format);
    runs.last().text.append(ch);
}

void Reader::newParagraph()
{
    if (showsText())
        m_document.paragraphs.append(Paragraph{});
}

} // namespace

bool Run::sameFormat(const Run& other) const
{
    return bold == other.bold && italic == other.italic && underline == other.underline &&
           halfPoints == other.halfPoints && fixedPitch == other.fixedPitch;
}

QString Paragraph::text() const
{
    QString text;
    for (const Run& run : runs)
        text += run.text;
    return text;
}

QString Document::plainText() const
{
    QString out;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            out += QStringLiteral("\r\n");
        for (const Run& run : paragraphs.at(i).runs) {
            for (const QChar ch : run.text) {
                if (ch == kLineBreak)
                    out += QStringLiteral("\r\n");
                else
                    out += ch;
            }
        }
    }
    return out;
}

bool isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

bool isRtf(QStringView text)
{
    return text.startsWith(QLatin1String("{\\rtf"));
}

Document parse(QByteArrayView bytes)
{
    return Reader(bytes).read();
}

} // namespace rtf
