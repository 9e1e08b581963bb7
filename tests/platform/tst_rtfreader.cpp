#include "platform/rtfreader.h"
#include "platform/rtftextdocument.h"
#include "support/testregistry.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// "text[b,i,u,size]" for each run of a paragraph, so that a failing comparison shows the format.
QStringList describe(const rtf::Paragraph& paragraph)
{
    QStringList out;
    for (const rtf::Run& r : paragraph.runs) {
        QString flags;
        if (r.bold)
            flags += QLatin1Char('b');
        if (r.italic)
            flags += QLatin1Char('i');
        if (r.underline)
            flags += QLatin1Char('u');
        if (r.fixedPitch)
            flags += QLatin1Char('m');
        if (r.halfPoints)
            flags += QString::number(r.halfPoints);
        out << r.text + QLatin1Char('[') + flags + QLatin1Char(']');
    }
    return out;
}

QString plain(const QByteArray& bytes)
{
    return rtf::parse(bytes).plainText();
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paragraphsAndCharacterFormats()
    {
        const rtf::Document doc = rtf::parse("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 "
                                             "Arial;}}\\pard\\f0\\fs20 Plain \\b bold\\b0 , "
                                             "\\i italic\\i0  and \\ul under\\ulnone .\\par\r\n\\fs32 "
                                             "Big\\plain  small\\line next\\tab end\\par\r\n}");
        QCOMPARE(doc.paragraphs.size(), 3);
        QCOMPARE(
            describe(doc.paragraphs[0]),
            (QStringList{QStringLiteral("Plain [20]"), QStringLiteral("bold[b20]"), QStringLiteral(", [20]"),
                         QStringLiteral("italic[i20]"), QStringLiteral(" and [20]"),
                         QStringLiteral("under[u20]"), QStringLiteral(".[20]")}));
        QCOMPARE(describe(doc.paragraphs[1]),
                 (QStringList{QStringLiteral("Big[32]"), QStringLiteral(" small\u2028next\tend[]")}));
        QVERIFY(doc.paragraphs[2].runs.isEmpty());
        QCOMPARE(doc.plainText(),
                 QStringLiteral("Plain bold, italic and under.\r\nBig small\r\nnext\tend\r\n"));
    }

    void formatsEndWithTheirGroupAndZeroForms()
    {
        const rtf::Document doc = rtf::parse(
            "{\\rtf1 a{\\b b{\\i c\\ul d}\\b0 e}f\\b1 g\\b0\\i1 h\\i0\\uldb i\\ul0 j\\ulw k\\ulnone l}");
        QCOMPARE(describe(doc.paragraphs[0]),
                 (QStringList{QStringLiteral("a[]"), QStringLiteral("b[b]"), QStringLiteral("c[bi]"),
                              QStringLiteral("d[biu]"), QStringLiteral("ef[]"), QStringLiteral("g[b]"),
                              QStringLiteral("h[i]"), QStringLiteral("i[u]"), QStringLiteral("j[]"),
                              QStringLiteral("k[u]"), QStringLiteral("l[]")}));
    }

    void fixedPitchFontsAreMarked()
    {
        const rtf::Document doc =
            rtf::parse("{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier "
                       "New;}{\\f2\\fnil\\fprq1 Mono;}{\\f3\\fnil\\fprq2 Sans;}}a\\f1 b{\\f2 c}"
                       "\\f3 d\\f0 e}");
        QCOMPARE(describe(doc.paragraphs[0]),
                 (QStringList{QStringLiteral("a[]"), QStringLiteral("bc[m]"), QStringLiteral("de[]")}));
        QTextDocument text;
        rtftextdocument::fill(text, doc);
        QTextCursor cursor(&text);
        cursor.setPosition(2);
        QVERIFY(cursor.charFormat().fontFixedPitch());
        cursor.setPosition(1);
        QVERIFY(!cursor.charFormat().fontFixedPitch());
    }

    void hexBytesFollowTheCodePage_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("no code page named: 1252")
            << QByteArray("{\\rtf1 caf\\'e9 \\'80\\'96\\'93}") << QStringLiteral("café €–“");
        QTest::newRow("ansicpg1252") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'8a\\'9c\\'e9}")
                                     << QStringLiteral("Šœé");
        QTest::newRow("ansicpg1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'e6\\'9c\\'a3\\'e9}")
                                     << QStringLiteral("ąćśŁé");
        QTest::newRow("unknown code page reads as Latin-1")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'e9\\'80}") << QStringLiteral("é\u0080");
        QTest::newRow("font charset 238 wins over the document's")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 "
                          "Arial;}{\\f1\\fcharset238 Arial "
                          "CE;}}\\f1\\'b9{\\f0\\'b9}\\'b9}")
            << QStringLiteral("ą¹ą");
        QTest::newRow("default font's charset")
            << QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f1\\fcharset238 X;}}\\'b9}")
            << QStringLiteral("ą");
        QTest::newRow("raw high bytes decode too")
            << QByteArray("{\\rtf1\\ansicpg1250 \xb9}") << QStringLiteral("ą");
        QTest::newRow("uppercase hex") << QByteArray("{\\rtf1 \\'C9}") << QStringLiteral("É");
    }

    void hexBytesFollowTheCodePage()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(plain(rtf), text);
    }

    void unicodeWithItsFallback_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("euro, one fallback character")
            << QByteArray("{\\rtf1 \\u8364?!}") << QStringLiteral("€!");
        QTest::newRow("fallback given as hex")
            << QByteArray("{\\rtf1 \\u8364\\'80x}") << QStringLiteral("€x");
        QTest::newRow("uc2") << QByteArray("{\\rtf1\\uc2 \\u8364??x}") << QStringLiteral("€x");
        QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0 \\u8364 x}") << QStringLiteral("€x");
        QTest::newRow("negative for the upper half")
            << QByteArray("{\\rtf1 \\u-3972?}") << QStringLiteral("\uF07C");
        QTest::newRow("uc is scoped to its group")
            << QByteArray("{\\rtf1 {\\uc2 a}\\u233?b}") << QStringLiteral("aéb");
        QTest::newRow("a group end stops the fallback")
            << QByteArray("{\\rtf1 {\\uc3\\u233}xyz}") << QStringLiteral("éxyz");
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("u0 and control characters are dropped")
            << QByteArray("{\\rtf1 a\\u0?\\u7?b\\'07c}") << QStringLiteral("abc");
        QTest::newRow("U+2029 starts a paragraph")
            << QByteArray("{\\rtf1 a\\u8233?b}") << QStringLiteral("a\r\nb");
        QTest::newRow("typographic words")
            << QByteArray("{\\rtf1 \\lquote\\rquote\\ldblquote\\rdblquote\\emdash\\endash\\bullet}")
            << QStringLiteral("‘’“”—–•");
    }

    void unicodeWithItsFallback()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(plain(rtf), text);
    }

    void hiddenDestinationsAndEscapes()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Shown Not;}}{\\colortbl;\\red1\\green2\\blue3;}"
            "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Title}{\\author Someone}}{\\*\\generator Pad;}"
            "{\\*\\unknowndest text}{\\header head}"
            "A{\\pict\\wmetafile8\\picw10\\bin6 {}\\}{ 0a0b0c}B"
            "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
            " \\{x\\} \\\\ \\~|\\_|\\-.\\par}";
        QCOMPARE(plain(rtf), QStringLiteral("ABlink {x} \\ \u00a0|-|.\r\n"));
    }

    void hundredNestedGroupsRestoreEachLevel()
    {
        // Level k switches italics on for even k and off for odd k, writes one letter, and
        // after each group closes the level below writes a digit in its own format.
        QByteArray rtf = "{\\rtf1 ";
        for (int k = 0; k < 100; ++k)
            rtf += QByteArray("{") + (k % 2 == 0 ? "\\i " : "\\i0 ") + char('A' + k % 26);
        for (int k = 99; k >= 0; --k)
            rtf += QByteArray("}") + char('0' + k % 10);
        rtf += "}";
        const rtf::Document doc = rtf::parse(rtf);
        QCOMPARE(doc.paragraphs.size(), 1);
        QString expectedText;
        QString italicMask;
        for (int k = 0; k < 100; ++k) {
            expectedText += QChar('A' + k % 26);
            italicMask += k % 2 == 0 ? QLatin1Char('i') : QLatin1Char('-');
        }
        for (int k = 99; k >= 0; --k) {
            expectedText += QChar('0' + k % 10);
            // After group k closes we are at level k - 1; level -1 is the document itself.
            italicMask += k >= 1 && (k - 1) % 2 == 0 ? QLatin1Char('i') : QLatin1Char('-');
        }
        QString text;
        QString mask;
        for (const rtf::Run& r : doc.paragraphs[0].runs) {
            text += r.text;
            mask += QString(r.text.size(), r.italic ? QLatin1Char('i') : QLatin1Char('-'));
        }
        QCOMPARE(text, expectedText);
        QCOMPARE(mask, italicMask);
    }

    void nestingBeyondTheLimitIsReadFlat()
    {
        const QByteArray open(5000, '{');
        const QByteArray close(5000, '}');
        const rtf::Document doc = rtf::parse(QByteArray("{\\rtf1 a" + open + "\\b x" + close + "y}"));
        QCOMPARE(describe(doc.paragraphs[0]),
                 (QStringList{QStringLiteral("a[]"), QStringLiteral("x[b]"), QStringLiteral("y[]")}));

        // A million braces and nothing else: read in one pass, nothing kept.
        QElapsedTimer timer;
        timer.start();
        const rtf::Document deep = rtf::parse(QByteArray("{\\rtf1 " + QByteArray(1000000, '{') + "z"));
        QCOMPARE(deep.plainText(), QStringLiteral("z"));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }

    void malformedInputEndsCleanly_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("unterminated group")
            << QByteArray("{\\rtf1 Hello {\\b world") << QStringLiteral("Hello world");
        QTest::newRow("unterminated paragraphs")
            << QByteArray("{\\rtf1 a\\par b") << QStringLiteral("a\r\nb");
        QTest::newRow("text after the document") << QByteArray("{\\rtf1 a}b{c}") << QStringLiteral("a");
        QTest::newRow("text before the document") << QByteArray("junk{\\rtf1 a}") << QStringLiteral("a");
        QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
        QTest::newRow("half a hex byte") << QByteArray("{\\rtf1 a\\'e") << QStringLiteral("a");
        QTest::newRow("bad hex digits") << QByteArray("{\\rtf1 a\\'zzb}") << QStringLiteral("azzb");
        QTest::newRow("u without a number") << QByteArray("{\\rtf1 a\\u b}") << QStringLiteral("a");
        QTest::newRow("bin past the end") << QByteArray("{\\rtf1 a\\bin999999 xyz") << QStringLiteral("a");
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 xyz}") << QStringLiteral("axyz");
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1 \\fs999999999999999999999 a\\u99999999999?b}") << QStringLiteral("ab");
        QTest::newRow("huge uc is capped at 16")
            << QByteArray("{\\rtf1\\uc99999999\\u8364 abcdefghijklmnopqrstuvwxyz}")
            << QStringLiteral("€qrstuvwxyz");
        QTest::newRow("no group at all") << QByteArray("\\rtf1 plain") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b}", 10) << QStringLiteral("ab");
    }

    void malformedInputEndsCleanly()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(plain(rtf), text);
    }

    void rtfIsRecognisedByItsFirstBytes()
    {
        QVERIFY(rtf::isRtf(QByteArrayView("{\\rtf1\\ansi")));
        QVERIFY(rtf::isRtf(QStringView(u"{\\rtf")));
        QVERIFY(!rtf::isRtf(QByteArrayView("{\\RTF1")));
        QVERIFY(!rtf::isRtf(QByteArrayView(" {\\rtf1")));
        QVERIFY(!rtf::isRtf(QByteArrayView("{\\rt")));
        QVERIFY(!rtf::isRtf(QStringView(u"")));
    }

    void textDocumentGetsBlocksAndFormats()
    {
        const rtf::Document doc = rtf::parse("{\\rtf1 Plain \\b bold\\b0  \\i it\\i0  \\ul ul\\ulnone\\par "
                                             "\\fs40 big\\fs0\\line two\\tab x\\par}");
        QTextDocument text;
        rtftextdocument::fill(text, doc);
        QCOMPARE(text.blockCount(), 4);
        QCOMPARE(text.toRawText(), QStringLiteral("Plain bold it ul\u2029big\u2029two\tx\u2029"));
        const auto formatAt = [&](int position) {
            QTextCursor cursor(&text);
            cursor.setPosition(position + 1);
            return cursor.charFormat();
        };
        QCOMPARE(formatAt(6).fontWeight(), int(QFont::Bold));   // "b" of bold
        QCOMPARE(formatAt(0).fontWeight(), int(QFont::Normal)); // "P"
        QVERIFY(formatAt(11).fontItalic());                     // "i" of it
        QVERIFY(!formatAt(6).fontItalic());
        QVERIFY(formatAt(14).fontUnderline()); // "u" of ul
        QVERIFY(!formatAt(11).fontUnderline());
        QCOMPARE(formatAt(17).fontPointSize(), 20.0); // "b" of big
        QCOMPARE(text.findBlockByNumber(2).text(), QStringLiteral("two\tx"));
    }

    void shippedHelpTextsHoldTheSameText()
    {
        QFile rtfFile(QStringLiteral(QRB_SOURCE_DIR "/resources/Scriptlang.rtf"));
        QFile plainFile(QStringLiteral(QRB_SOURCE_DIR "/resources/Help.qrb"));
        QVERIFY(rtfFile.open(QIODevice::ReadOnly));
        QVERIFY(plainFile.open(QIODevice::ReadOnly));
        const QByteArray rtfBytes = rtfFile.readAll();
        const QByteArray plainBytes = plainFile.readAll();
        QVERIFY(rtf::isRtf(rtfBytes));
        QVERIFY(plainBytes.endsWith("\r\n"));
        QVERIFY(!plainBytes.contains("\n\n") && plainBytes.count('\n') == plainBytes.count("\r\n"));
        QCOMPARE(rtf::parse(rtfBytes).plainText(), QString::fromLatin1(plainBytes));
        // The headings and names stand out in the formatted copy.
        const rtf::Document doc = rtf::parse(rtfBytes);
        QVERIFY(doc.paragraphs[0].runs[0].bold);
        QCOMPARE(doc.paragraphs[0].runs[0].text,
                 QStringLiteral("WARZONE 2100 SKIRMISH AI SCRIPTING - QUICK REFERENCE"));
    }
};

QRB_TEST(RtfReaderTest)
#include "tst_rtfreader.moc"
