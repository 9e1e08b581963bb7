// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/elidinglabel.h"
#include "editor/scripttokens.h"
#include "editor/viewsettings.h"

#include <QObject>

class LineNumberGutter;
class ScriptEditor;
class ScriptHighlighter;

// What makes a ScriptEditor a code editor: the line numbers, the colours, the caret's line
// and matching bracket, and the caret's line and column in a strip under the text. Everything
// stands inside the editor's frame. Lives as long as the editor.
class CodeView : public QObject {
    Q_OBJECT
public:
    enum class Aids {
        Full,       // the SLO and VLO editors
        NumbersOnly // a read-only view: line numbers alone
    };

    CodeView(ScriptEditor& editor, codeview::Language language, int firstLineNumber, Aids aids);

    void apply(const ViewSettings& settings);
    const ViewSettings& settings() const { return m_settings; }
    void setLanguage(codeview::Language language, int firstLineNumber);

    LineNumberGutter* gutter() const { return m_gutter; }
    ScriptHighlighter* highlighter() const { return m_highlighter; }
    // The caret's line (as the gutter numbers it) and column, "Line 12, Col 5".
    QLabel* caretPlace() const { return m_caretPlace; }
    // A panel between the text and the caret's place (the find and replace bar); the text
    // makes room for it while it is shown.
    void setBottomPanel(QWidget* panel);

    static QFont fixedWidthFont();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitMargins();
    void followCaret();
    void followCaretLater();

    ScriptEditor& m_editor;
    LineNumberGutter* m_gutter = nullptr;
    ScriptHighlighter* m_highlighter = nullptr;
    ElidingLabel* m_caretPlace = nullptr;
    QWidget* m_bottomPanel = nullptr;
    ViewSettings m_settings;
    int m_leftMargin = 0;
    bool m_followPending = false;
};
