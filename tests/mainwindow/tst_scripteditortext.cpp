#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"

#include <QTextCursor>
#include <QTextDocument>

class ScriptEditorTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void breaksBecomeCrLf()
    {
        QCOMPARE(crLfFromRawText(QStringLiteral("a\u2028b\u2029\u2029c\u2029")),
                 QStringLiteral("a\r\nb\r\n\r\nc\r\n"));
        QCOMPARE(crLfFromRawText(QStringLiteral("\u00a0no break")), QStringLiteral("\u00a0no break"));
        QCOMPARE(crLfFromRawText(QString()), QString());
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
        QTextCursor cursor(editor.document());
        cursor.insertText(QStringLiteral("zero\r\n"));
        QCOMPARE(heard, QStringList(2, QStringLiteral("zero\r\none\r\ntwo")));
        editor.setText(QStringLiteral("new"));
        QCOMPARE(heard.last(), QStringLiteral("new"));
        auto* other = new QTextDocument(&editor);
        other->setDocumentLayout(new QPlainTextDocumentLayout(other));
        other->setPlainText(QStringLiteral("other\nlines"));
        editor.setDocument(other);
        QCOMPARE(editor.text(), QStringLiteral("other\r\nlines"));
        QTextCursor(other).insertText(QStringLiteral(">"));
        QCOMPARE(editor.text(), QStringLiteral(">other\r\nlines"));
    }
};

QRB_TEST(ScriptEditorTextTest)
#include "tst_scripteditortext.moc"
