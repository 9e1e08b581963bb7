// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtfreader.h"
#include "support/testregistry.h"

#include <QFile>
#include <QTest>

namespace {

// Every run as "text[flags]" (b, i, u, m for a fixed-pitch font, then the size in half points);
// paragraphs are parted by '|'.
QString describe(const rtf::Document& doc)
{
    QStringList paragraphs;
    for (const rtf::Paragraph& paragraph : doc.paragraphs) {
        QString runs;
        for (const rtf::Run& r : paragraph.runs)
            runs += r.text + QLatin1String(r.bold ? "[b" : "[") + QLatin1String(r.italic ? "i" : "") +
                    QLatin1String(r.underline ? "u" : "") + QLatin1String(r.fixedPitch ? "m" : "") +
                    (r.halfPoints ? QString::number(r.halfPoints) : QString()) + QLatin1Char(']');
        paragraphs << runs;
    }
    return paragraphs.join(QLatin1Char('|'));
}

void row(const char* name, const QByteArray& rtf, QStringView expected)
{
    QTest::newRow(name) << rtf << expected.toString();
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Formats, characters, hidden destinations and broken input: any bytes give a text, never a crash.
    void runs_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        row("paragraphs and formats",
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 A;}}\\pard\\f0\\fs20 Plain \\b bold\\b0 , \\i italic\\i0 "
            " and \\ul under\\ulnone .\\par\r\n\\fs32 Big\\plain  small\\line next\\tab end\\par\r\n}",
            u"Plain [20]bold[b20], [20]italic[i20] and [20]under[u20].[20]|Big[32] small\u2028next\tend[]|");
        row("group ends and zero forms",
            "{\\rtf1 a{\\b b{\\i c\\ul d}\\b0 e}f\\b1 g\\b0\\i1 h\\i0\\uldb i\\ul0 j\\ulw k\\ulnone l}",
            u"a[]b[b]c[bi]d[biu]ef[]g[b]h[i]i[u]j[]k[u]l[]");
        row("fixed-pitch fonts",
            "{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}"
            "{\\f2\\fnil\\fprq1 Mono;}{\\f3\\fnil\\fprq2 Sans;}}a\\f1 b{\\f2 c}\\f3 d\\f0 e}",
            u"a[]bc[m]de[]");
        // Level k writes a letter, in italics when k is odd; after each closing brace the level
        // below writes a digit in its own format (level 0 is the document).
        QByteArray deep = "{\\rtf1 ";
        QString deepRuns;
        for (int k = 1; k <= 100; ++k) {
            deep += QByteArray(k % 2 ? "{\\i " : "{\\i0 ") + char('A' + k % 26);
            deepRuns += QLatin1Char(char('A' + k % 26)) + QLatin1String(k % 2 ? "[i]" : "[]");
        }
        for (int level = 99; level >= 0; --level) {
            deep += QByteArray("}") + char('0' + level % 10);
            deepRuns += QLatin1Char(char('0' + level % 10)) + QLatin1String(level % 2 ? "[i]" : "[]");
        }
        row("100 nested groups restore each level", deep + "}", deepRuns);
        row("nesting beyond the limit is read flat",
            "{\\rtf1 a" + QByteArray(5000, '{') + "\\b x" + QByteArray(5000, '}') + "y}", u"a[]x[b]y[]");
        row("1252 unless named", "{\\rtf1 caf\\'e9 \\'80\\'96\\'93}", u"café €–“[]");
        row("ansicpg1250", "{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'e6\\'9c\\'a3\\'e9}", u"ąćśŁé[]");
        row("other code pages as Latin-1", "{\\rtf1\\ansi\\ansicpg1251 \\'e9\\'80}", u"é\u0080[]");
        row("the font's charset wins",
            "{\\rtf1\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset238 B;}}"
            "\\f1\\'b9{\\f0\\'b9}\\'b9}",
            u"ą¹ą[]");
        row("the default font's charset", "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f1\\fcharset238 X;}}\\'b9}",
            u"ą[]");
        row("raw high byte", "{\\rtf1\\ansicpg1250 \xb9}", u"ą[]");
        row("u with its fallback", "{\\rtf1 \\u8364?!}", u"€![]");
        row("fallback as hex", "{\\rtf1 \\u8364\\'80x}", u"€x[]");
        row("uc2", "{\\rtf1\\uc2 \\u8364??x}", u"€x[]");
        row("negative u", "{\\rtf1 \\u-3972?}", u"\uF07C[]");
        row("uc ends with its group", "{\\rtf1 {\\uc2 a}\\u233?b}", u"aéb[]");
        row("a group end stops the fallback", "{\\rtf1 {\\uc3\\u233}xyz}", u"éxyz[]");
        row("surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", u"\U0001F600[]");
        row("u0 and control characters dropped", "{\\rtf1 a\\u0?\\u7?b\\'07c}", u"abc[]");
        row("U+2029 starts a paragraph", "{\\rtf1 a\\u8233?b}", u"a[]|b[]");
        row("hidden destinations and escapes",
            "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Shown Not;}}{\\colortbl;\\red1\\green2\\blue3;}"
            "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Title}{\\author Someone}}{\\*\\generator Pad;}"
            "{\\*\\unknowndest text}{\\header head}A{\\pict\\wmetafile8\\picw10\\bin6 {}\\}{ 0a0b0c}B"
            "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} \\{x\\} \\\\ \\~#\\_#\\-.\\par}",
            u"ABlink {x} \\ \u00a0#-#.[]|");
        row("unterminated group", "{\\rtf1 Hello {\\b world", u"Hello []world[b]");
        row("unterminated paragraphs", "{\\rtf1 a\\par b", u"a[]|b[]");
        row("a million open braces", "{\\rtf1 " + QByteArray(1000000, '{') + "z", u"z[]");
        row("text after the document", "{\\rtf1 a}b{c}", u"a[]");
        row("text before the document", "junk{\\rtf1 a}", u"a[]");
        row("backslash at the end", "{\\rtf1 a\\", u"a[]");
        row("half a hex byte", "{\\rtf1 a\\'e", u"a[]");
        row("bad hex digits", "{\\rtf1 a\\'zzb}", u"azzb[]");
        row("u without a number", "{\\rtf1 a\\u b}", u"a[]");
        row("bin past the end", "{\\rtf1 a\\bin999999 xyz", u"a[]");
        row("huge numbers", "{\\rtf1 \\fs999999999999999999999 a\\u99999999999?b}", u"ab[3276]");
        row("huge uc is capped", "{\\rtf1\\uc99999999\\u8364 abcdefghijklmnopqrstuvwxyz}", u"€qrstuvwxyz[]");
        row("no group at all", "\\rtf1 plain", u"");
        row("empty", QByteArray(), u"");
        row("NUL bytes", QByteArray("{\\rtf1 a\0b}", 10), u"ab[]");
    }

    void runs()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(describe(rtf::parse(rtf)), expected);
    }

    void shippedHelpFilesHoldTheSameText()
    {
        QFile rich(QStringLiteral(QRB_SOURCE_DIR "/resources/Scriptlang.rtf"));
        QFile plain(QStringLiteral(QRB_SOURCE_DIR "/resources/Help.qrb"));
        QVERIFY(rich.open(QIODevice::ReadOnly) && plain.open(QIODevice::ReadOnly));
        const QByteArray plainBytes = plain.readAll();
        QVERIFY(plainBytes.endsWith("\r\n") && plainBytes.count('\n') == plainBytes.count("\r\n"));
        const rtf::Document doc = rtf::parse(rich.readAll());
        QCOMPARE(doc.plainText(), QString::fromLatin1(plainBytes));
        QVERIFY(doc.paragraphs[0].runs.value(0).bold); // the title stands out
    }
};

QRB_TEST(RtfReaderTest)
#include "tst_rtfreader.moc"
