// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"
#include "editor/textchange.h"
#include "support/testregistry.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

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
        QCOMPARE(crLfFromRawText(u"a\u2028b\u2029\u2029c\u2029"_s), u"a\r\nb\r\n\r\nc\r\n"_s);
    }

    // The text is kept between changes; whoever hears of a change must already read the new one.
    void listenersReadTheChangedText()
    {
        ScriptEditor editor(u"SLO"_s, nullptr);
        editor.setText(u"one\r\ntwo"_s);
        QCOMPARE(editor.text(), u"one\r\ntwo"_s);
        QStringList heard;
        connect(&editor, &QPlainTextEdit::textChanged, &editor, [&] { heard.append(editor.text()); });
        connect(editor.document(), &QTextDocument::contentsChange, &editor,
                [&] { heard.append(editor.text()); });
        QTextCursor(editor.document()).insertText(u"zero\r\n"_s);
        QCOMPARE(heard, QStringList(2, u"zero\r\none\r\ntwo"_s));
    }
};

QRB_TEST(EditorTextTest)
#include "tst_editortext.moc"
