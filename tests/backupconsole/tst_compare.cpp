// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/compareview.h"
#include "backupconsole/consolefixture.h"
#include "editor/elidinglabel.h"
#include "editor/scripteditor.h"
#include "support/testregistry.h"
#include "workspace/notestext.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace {

const QString kNewer = u"SLO.qrb10.12.2026_8-0-0_BEFORESEEK"_s;
const QString kNewest = u"SLO.qrb2.1.2027_0-0-0_EXIT"_s;

struct CompareBench : Bench {
    using Bench::Bench;
    template <typename T> T* child(const char* name) const
    {
        return preview()->findChild<T*>(QLatin1String(name));
    }
    CompareView* view() const { return child<CompareView>("CompareView"); }
    DiffText* diffText() const { return child<DiffText>("DiffText"); }
    QString count() const { return child<QLabel>("ChangeCount")->text(); }
    QStringList choices() const
    {
        QStringList out;
        QComboBox* combo = child<QComboBox>("CompareWith");
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
    // Picks the entry below the current one, as the Down key does on the closed list.
    void chooseNextOther() const { QTest::keyClick(child<QComboBox>("CompareWith"), Qt::Key_Down); }
};

} // namespace

class CompareTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void compareAndStepThroughChanges()
    {
        CompareBench f;
        f.snapshot(kSlo, "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n");
        QVERIFY(f.start());
        f.form800().slo()->setText(u"one\r\nTWO\r\nthree\r\nfour\r\nfive\r\nsix"_s);

        QPointer<PreviewWindow> preview = f.openPreview(f.form800(), "File1");
        QVERIFY(preview && !preview->comparing());
        QVERIFY(!f.child<QComboBox>("CompareWith")->isVisible());
        const QList<QWidget*> controls{f.child<QPushButton>("Command1"), f.child<QPushButton>("Command2"),
                                       f.child<QPushButton>("Command3"), f.child<QComboBox>("CompareWith")};
        QList<QRect> placed;
        for (QWidget* control : controls)
            placed << control->geometry();

        f.press("Command3");
        QVERIFY(preview->comparing() && !preview->textBox()->isVisible());
        QCOMPARE(f.choices(), QStringList{u"Editor (current text)"_s});
        QCOMPARE(f.count(), u"2 changes: 1 line changed, 0 removed, 1 added"_s);
        QCOMPARE(f.child<QLabel>("CompareLegend")->text(),
                 u"- only in "_s + kSlo + u"    + only in the editor"_s);
        QCOMPARE(f.view()->geometry(), preview->textBox()->geometry());
        // Rows: one, -two, +TWO, three, four, five, +six. The view opens at the first change.
        QCOMPARE(f.diffText()->toPlainText(), u"one\ntwo\nTWO\nthree\nfour\nfive\nsix"_s);
        QCOMPARE(f.view()->currentRow(), 1);
        QVERIFY(!f.child<QPushButton>("PreviousChange")->isEnabled());
        const auto f8 = [&](Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(f.diffText(), Qt::Key_F8, modifiers);
            return f.view()->currentRow();
        };
        QCOMPARE(f8(Qt::NoModifier), 6);
        QVERIFY(!f.child<QPushButton>("NextChange")->isEnabled());
        QCOMPARE(f8(Qt::NoModifier), 6);
        QCOMPARE(f8(Qt::ShiftModifier), 1);
        QTest::mouseClick(f.child<QPushButton>("NextChange"), Qt::LeftButton);
        QCOMPARE(f.view()->currentRow(), 6);

        // None of the top controls overlaps another, and none moves with the window's size.
        preview->resize(preview->size() + QSize(150, 90));
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY(controls[i]->isVisible());
            QCOMPARE(controls[i]->geometry(), placed[i]);
            QCOMPARE(preview->childAt(placed[i].center()), controls[i]);
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY(!placed[i].intersects(placed[j]));
        }
        QCOMPARE(f.view()->geometry(), preview->textBox()->geometry());

        f.press("Command3");
        QVERIFY(!preview->comparing() && preview->textBox()->isVisible());
        QVERIFY(!f.child<QComboBox>("CompareWith")->isVisible());
    }

    void compareWithOtherSnapshots()
    {
        CompareBench f;
        f.snapshot(kSlo, "a\r\nb\r\n");
        f.snapshot(kNewer, "a\r\nb\r\n");
        f.snapshot(kNewest, "a\r\nB\r\nc\r\n");
        f.snapshot(u"VLO.qrb3.1.2027_0-0-0_EXIT"_s, "vlo\r\n");
        QVERIFY(f.start());
        f.form800().slo()->setText(u"a"_s);
        // kSlo is the oldest, the first entry; the others follow in the console's order.
        f.openPreview(f.form800(), "File1");
        f.press("Command3");
        QCOMPARE(f.choices(), (QStringList{u"Editor (current text)"_s, kNewer, kNewest}));
        QCOMPARE(f.count(), u"1 change: 0 lines changed, 1 removed, 0 added"_s);

        f.chooseNextOther();
        QCOMPARE(f.count(), u"no differences"_s);

        // A snapshot gone since the listing: told, and the comparison stays as it was.
        QVERIFY(QFile::remove(f.backup() + u"/"_s + kNewest));
        f.dialogs.clear();
        f.chooseNextOther();
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(f.dialogs.shown().first().title, u"SNAPSHOT NOT READ"_s);
        QVERIFY(f.dialogs.shown().first().text.startsWith(
            u"This snapshot could not be read, so the comparison stays as it was:\n"_s + f.backup() + u"/"_s +
            kNewest));
        QCOMPARE(f.child<QComboBox>("CompareWith")->currentIndex(), 1);
        QCOMPARE(f.count(), u"no differences"_s);
    }

    void addSelectedTakesTheSnapshotsLinesOnly()
    {
        CompareBench f;
        f.snapshot(kSlo, "one\r\ntwo\r\nthree\r\n");
        QVERIFY(f.start());
        f.form800().slo()->setText(u"one\r\nTWO\r\nthree\r\nfour"_s);
        NotesText& notes = f.bench->notes();
        notes.setText(u"x"_s);
        f.openPreview(f.form800(), "File1");
        f.press("Command3");
        // Rows: one, -two, +TWO, three, +four.
        QTest::keyClick(f.diffText(), Qt::Key_A, Qt::ControlModifier);
        f.press("Command2");
        QCOMPARE(notes.text().toLatin1(), "x" + kNotesHeader + "one\r\ntwo\r\nthree" + kNotesFooter);

        // From inside the first line to inside the fourth row: the editor's TWO is left out.
        QTextCursor cursor(f.diffText()->document());
        cursor.setPosition(1);
        cursor.setPosition(f.diffText()->document()->findBlockByNumber(3).position() + 2,
                           QTextCursor::KeepAnchor);
        f.diffText()->setTextCursor(cursor);
        notes.setText(u"x"_s);
        f.press("Command2");
        QCOMPARE(notes.text().toLatin1(), "x" + kNotesHeader + "ne\r\ntwo\r\nth" + kNotesFooter);
    }

    // The compare view names both snapshots; two long names fit the window as it opens, which
    // fits an 800 x 600 screen.
    void legendNamesTheSnapshotsAndFits()
    {
        const QString older = u"SLO.qrb12.12.2026_23-59-58_BEFORECOMPILE_12"_s;
        const QString newer = u"SLO.qrb12.12.2026_23-59-59_BEFORECOMPILE_12"_s;
        CompareBench f;
        f.snapshot(older, "a\r\n");
        f.snapshot(newer, "b\r\n");
        QVERIFY(f.start());
        PreviewWindow* preview = f.openPreview(f.form800(), "File1");
        QVERIFY(preview->width() <= 800);
        f.press("Command3");
        f.chooseNextOther();
        auto* legend = f.child<ElidingLabel>("CompareLegend");
        QCOMPARE(legend->text(), u"- only in "_s + older + u"    + only in "_s + newer);
        QCOMPARE(legend->shownText(), legend->text());
        QVERIFY(legend->geometry().right() < preview->width());
    }

    // Two manual saves of an unchanged project: two names, one file, and the list says so.
    void linkedSnapshotsSayTheyShareTheirBytes()
    {
        CompareBench f("saved\r\n", "v\r\n");
        QVERIFY(f.start());
        f.click(f.form800(), u"Command4"_s);
        f.clock.set(QTime(9, 6, 0), QDate(2026, 12, 5));
        f.click(f.form800(), u"Command4"_s);
        f.open(f.form800());
        QCOMPARE(f.names("File1"),
                 (QStringList{u"SLO.qrb5.12.2026_9-5-7_MANUAL"_s, u"SLO.qrb5.12.2026_9-6-0_MANUAL"_s}));
        QAbstractItemModel* model = f.list("File1")->model();
        QCOMPARE(model->data(model->index(1, 0), Qt::ToolTipRole).toString(),
                 u"Saturday, 5 December 2026 at 9:06:00\nManual save\n7 bytes\n"
                 "Same bytes as 1 other snapshot, stored once"_s);
    }
};

QRB_TEST(CompareTest)
#include "tst_compare.moc"
