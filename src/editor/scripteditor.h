// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QPlainTextEdit>
#include <QPointer>

class QKeyEvent;
class QMouseEvent;

// The editor of the SLO, VLO and notes texts. The document keeps one separator per line
// break; towards the rest of the program the editor speaks CR LF text, and every position
// (caret, selection start and length) is an index into that CR LF text.
class ScriptEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    ScriptEditor(const QString& name, QWidget* parent);

    QString text() const;
    void setText(const QString& crlfText);

    int selectionStart() const;
    int selectionLength() const;
    QString selectedText() const;
    // A start past the end puts the caret at the end; the length is cut at the end.
    void setSelection(int start, int length);
    void setCaret(int position) { setSelection(position, 0); }

    // Position conversions between the document and the CR LF text. A CR LF index that falls
    // between the CR and the LF of one line break maps to the place before the break.
    int toCrLf(int documentPosition) const;
    int toDocument(int crLfIndex) const;

    // Decorations drawn over the text (the caret line, the matches of the find bar, the
    // checker's underlines, the matching bracket) come in layers, each replaced on its own;
    // lower layers are drawn first.
    enum class DecorationLayer { CaretLine, SearchMatches, Findings, BracketMatch, Link };
    void setDecorations(DecorationLayer layer, const QList<QTextEdit::ExtraSelection>& selections);
    QList<QTextEdit::ExtraSelection> decorations(DecorationLayer layer) const
    {
        return m_decorations.value(layer);
    }

    // The room inside the frame around the text (the line numbers and the caret's place stand
    // there), so that nothing outside the editor moves.
    void setTextMargins(const QMargins& margins);
    // The font of the text, with tab stops four blanks wide.
    void setEditorFont(const QFont& font);
    // Keys of a code editor: Enter keeps the indentation of the line above; Tab and Shift+Tab
    // indent and unindent the selected lines; Home goes to the first character that is not a
    // blank, a second Home to column 1.
    void setCodeKeys(bool on) { m_codeKeys = on; }

Q_SIGNALS:
    // Sent before the editor acts on the key.
    void keyAboutToBeHandled(QKeyEvent* event);
    void mousePressed(QMouseEvent* event);
    // The checker's underlines were replaced.
    void findingsChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool handleCodeKey(QKeyEvent* event);
    void indentSelectedLines(bool indent);

    bool m_codeKeys = false;
    QMap<DecorationLayer, QList<QTextEdit::ExtraSelection>> m_decorations;
    // The CR LF text of m_textDocument while m_textCurrent.
    mutable QString m_text;
    mutable QPointer<QTextDocument> m_textDocument;
    mutable bool m_textCurrent = false;
};

// The document's raw text with its separators turned into CR LF.
QString crLfFromRawText(QString raw);
