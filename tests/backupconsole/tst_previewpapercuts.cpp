// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolefixture.h"
#include "editor/elidinglabel.h"
#include "editor/linenumbergutter.h"
#include "editor/scripteditor.h"
#include "support/testregistry.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

class PreviewPapercutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The preview's gutter runs the height of its text and numbers every line in sight.
    void gutterNumbersEveryLine()
    {
        QByteArray lines;
        for (int i = 1; i <= 60; ++i)
            lines += "line " + QByteArray::number(i) + "\r\n";
        Bench f;
        f.snapshot(kSlo, lines);
        QVERIFY(f.start());
        PreviewWindow* preview = f.openPreview(f.form800(), "File1");
        QVERIFY(preview && QTest::qWaitForWindowExposed(preview));
        ScriptEditor* text = preview->textBox();
        auto* gutter = text->findChild<LineNumberGutter*>(QStringLiteral("Text1_LINES"));
        QVERIFY(gutter);
        QCOMPARE(gutter->height(), text->viewport()->height());
        const int lastInSight =
            text->cursorForPosition(QPoint(0, text->viewport()->height() - 1)).blockNumber();
        QVERIFY(lastInSight > 20);
        QCOMPARE(gutter->numberOfLine(lastInSight), lastInSight + 1);
    }

    // The compare view names both snapshots; two long names fit the window as it opens, which
    // fits an 800 x 600 screen.
    void legendNamesTheSnapshotAndFits()
    {
        const QString older = u"SLO.qrb12.12.2026_23-59-58_BEFORECOMPILE_12"_s;
        const QString newer = u"SLO.qrb12.12.2026_23-59-59_BEFORECOMPILE_12"_s;
        Bench f;
        f.snapshot(older, "a\r\n");
        f.snapshot(newer, "b\r\n");
        QVERIFY(f.start());
        PreviewWindow* preview = f.openPreview(f.form800(), "File1");
        QVERIFY(preview->width() <= 800);
        f.press("Command3");
        QTest::keyClick(preview->findChild<QComboBox*>(QStringLiteral("CompareWith")), Qt::Key_Down);
        auto* legend = preview->findChild<ElidingLabel*>(QStringLiteral("CompareLegend"));
        QCOMPARE(legend->text(), u"- only in "_s + older + u"    + only in "_s + newer);
        QCOMPARE(legend->shownText(), legend->text());
        QVERIFY(legend->geometry().right() < preview->width());
    }
};

QRB_TEST(PreviewPapercutTest)

#include "tst_previewpapercuts.moc"
