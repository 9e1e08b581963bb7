// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/textdiff.h"
#include "support/testregistry.h"

using namespace Qt::StringLiterals;

namespace {

// One line of the diff as "<sign><old>,<new> <text>", so a whole diff reads at a glance.
QStringList rendered(const textdiff::Result& result)
{
    QStringList out;
    for (const textdiff::Line& line : result.lines) {
        const char sign = line.kind == textdiff::LineKind::Same      ? ' '
                          : line.kind == textdiff::LineKind::Removed ? '-'
                                                                     : '+';
        out << u"%1%2,%3 %4"_s.arg(QLatin1Char(sign)).arg(line.oldNumber).arg(line.newNumber).arg(line.text);
    }
    return out;
}

} // namespace

class TextDiffTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void diffs_data()
    {
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("lines"); // parted by '|'
        QTest::addColumn<QList<int>>("changeStarts");
        QTest::addColumn<QString>("summary");
        const auto row = [](const char* name, const QString& oldText, const QString& newText,
                            const QString& lines, QList<int> changeStarts, const QString& summary) {
            QTest::newRow(name) << oldText << newText << lines << changeStarts << summary;
        };
        const QString abc = u"a\r\nb\r\nc"_s, same = u" 1,1 a| 2,2 b| 3,3 c"_s;
        const QString none = u"no differences"_s;
        row("both empty", QString(), QString(), QString(), {}, none);
        row("CR LF against LF", abc, u"a\nb\nc"_s, same, {}, none);
        row("old empty", QString(), u"x\r\ny"_s, u"+0,1 x|+0,2 y"_s, {0},
            u"1 change: 0 lines changed, 0 removed, 2 added"_s);
        row("new empty", u"x"_s, QString(), u"-1,0 x"_s, {0},
            u"1 change: 0 lines changed, 1 removed, 0 added"_s);
        row("changed at the start", abc, u"A\r\nb\r\nc"_s, u"-1,0 a|+0,1 A| 2,2 b| 3,3 c"_s, {0},
            u"1 change: 1 line changed, 0 removed, 0 added"_s);
        row("removed in the middle", abc, u"a\r\nc"_s, u" 1,1 a|-2,0 b| 3,2 c"_s, {1},
            u"1 change: 0 lines changed, 1 removed, 0 added"_s);
        row("added at the end, line numbers shift", abc, u"a\r\nb\r\nc\r\nd\r\ne"_s,
            same + u"|+0,4 d|+0,5 e"_s, {3}, u"1 change: 0 lines changed, 0 removed, 2 added"_s);
        row("a CR outside a line break stays in its line", u"a\rb\r\r\n"_s, u"a\rb\r\n"_s,
            u"-1,0 a\rb\r|+0,1 a\rb| 2,2 "_s, {0}, u"1 change: 1 line changed, 0 removed, 0 added"_s);
        row("a final line break is a line", abc, abc + u"\r\n"_s, same + u"|+0,4 "_s, {3},
            u"1 change: 0 lines changed, 0 removed, 1 added"_s);
        row("start, middle and end, removed before added", u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7"_s,
            u"one\r\n2\r\n3\r\nfour\r\nfour'\r\n5\r\n6"_s,
            u"-1,0 1|+0,1 one| 2,2 2| 3,3 3|-4,0 4|+0,4 four|+0,5 four'| 5,6 5| 6,7 6|-7,0 7"_s, {0, 4, 9},
            u"3 changes: 2 lines changed, 1 removed, 1 added"_s);
        row("repeated lines keep their order", u"x\r\nx\r\ny\r\nx"_s, u"x\r\ny\r\nx\r\nx"_s,
            u" 1,1 x|-2,0 x| 3,2 y|+0,3 x| 4,4 x"_s, {1, 3},
            u"2 changes: 0 lines changed, 1 removed, 1 added"_s);
    }

    void diffs()
    {
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, lines);
        QFETCH(QList<int>, changeStarts);
        QFETCH(QString, summary);
        const textdiff::Result result = textdiff::compare(oldText, newText);
        QCOMPARE(rendered(result).join(u'|'), lines);
        QCOMPARE(result.changeStarts, changeStarts);
        QCOMPARE(textdiff::summary(result), summary);
        QCOMPARE(result.identical(), changeStarts.isEmpty());
    }

    void bigScriptWithScatteredChanges()
    {
        // 16,000 lines, every 80th changed: each change is found where it is, with both numbers.
        QStringList oldLines;
        for (int i = 0; i < 16000; ++i)
            oldLines << u"line %1;"_s.arg(i % 500);
        QStringList newLines = oldLines;
        for (int i = 40; i < 16000; i += 80)
            newLines[i] = u"changed %1"_s.arg(i);
        const textdiff::Result result = textdiff::compare(oldLines.join(u"\r\n"_s), newLines.join(u"\r\n"_s));
        QCOMPARE(result.changeStarts.size(), 200);
        QCOMPARE(result.changed, 200);
        QCOMPARE(result.removed + result.added, 0);
        QCOMPARE(result.lines.size(), 16200);
        // The 3rd change: line 201 removed and added, after 200 lines and one extra row for
        // each of the two changes before it.
        const int at = result.changeStarts.at(2);
        QCOMPARE(at, 200 + 2);
        QCOMPARE(result.lines.at(at), (textdiff::Line{textdiff::LineKind::Removed, 201, 0, u"line 200;"_s}));
        QCOMPARE(result.lines.at(at + 1),
                 (textdiff::Line{textdiff::LineKind::Added, 0, 201, u"changed 200"_s}));
        QCOMPARE(result.lines.last(),
                 (textdiff::Line{textdiff::LineKind::Same, 16000, 16000, u"line 499;"_s}));
    }
};

QRB_TEST(TextDiffTest)
#include "tst_textdiff.moc"
