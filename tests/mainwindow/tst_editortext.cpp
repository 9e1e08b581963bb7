#include "mainwindow/scripteditor.h"
#include "mainwindow/textchange.h"
#include "support/testregistry.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

// How the editors keep and change their CR LF text.
class EditorTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Random texts of a, CR, CR LF and b: the change rebuilds the new text and cuts no CR LF pair.
    void changesNeverSplitALineBreak()
    {
        QRandomGenerator random(4711);
        const QStringList pieces{"a", "\r", "\r\n", "b"};
        auto make = [&] {
            QString s;
            for (int i = random.bounded(8); i > 0; --i)
                s += pieces[random.bounded(4)];
            return s;
        };
        for (int round = 0; round < 2000; ++round) {
            const QString before = make();
            const QString after = make();
            const textchange::Change c = textchange::between(before, after);
            QCOMPARE(before.left(c.start) + c.inserted + before.mid(c.start + c.removed), after);
            for (const int cut : {c.start, c.start + c.removed})
                QVERIFY(cut == 0 || before.mid(cut - 1, 2) != QLatin1String("\r\n"));
        }
    }

    void editorBreaksBecomeCrLf()
    {
        QCOMPARE(crLfFromRawText(QStringLiteral("a\u2028b\u2029\u2029c\u2029")),
                 QStringLiteral("a\r\nb\r\n\r\nc\r\n"));
    }

    // The text is kept between changes; whoever hears of a change must already read the new one.
    void listenersReadTheChangedText()
    {
        ScriptEditor editor(QStringLiteral("SLO"), nullptr);
        editor.setText(QStringLiteral("one\r\ntwo"));
        QCOMPARE(editor.text(), QStringLiteral("one\r\ntwo"));
        QStringList heard;
        connect(&editor, &QPlainTextEdit::textChanged, &editor, [&] { heard.append(editor.text()); });
        connect(editor.document(), &QTextDocument::contentsChange, &editor,
                [&] { heard.append(editor.text()); });
        QTextCursor(editor.document()).insertText(QStringLiteral("zero\r\n"));
        QCOMPARE(heard, QStringList(2, QStringLiteral("zero\r\none\r\ntwo")));
    }
};

QRB_TEST(EditorTextTest)
#include "tst_editortext.moc"
