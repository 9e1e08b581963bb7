// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/completion.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class CompletionPopup;
class NameIndexer;
class QKeyEvent;
class ScriptEditor;
class ScriptHighlighter;
class SignatureTip;

// Completion and the call's parameters in one editor. Ctrl+Space lists the names that fit at
// the caret, and so does a pause after three letters of a name or after `object.` (its members);
// typing narrows the list, Enter
// or Tab inserts the chosen name (a function with its '('), Escape closes it. Typing '(' after
// a function shows its parameters, the caret's one marked, until the call is left or Escape.
class CodeCompletion : public QObject {
    Q_OBJECT
public:
    CodeCompletion(ScriptEditor& editor, scriptlang::TextKind text, NameIndexer& indexer,
                   ScriptHighlighter* highlighter);

    // The pause after a name's third letter before the list opens by itself.
    static constexpr int kAutomaticPauseMs = 400;
    static constexpr int kAutomaticLetters = 3;

    // Ctrl+Space: the list at the caret; a single match is inserted at once.
    void complete();
    // Keys the list or the parameters take before the editor; true when taken.
    bool takeKey(QKeyEvent* event);
    // Any other key, after the editor has handled it.
    void followKey(const QString& typed);
    void hideAll();

    CompletionPopup* popup() const { return m_popup; }
    SignatureTip* signatureTip() const { return m_tip; }

private:
    void open(bool automatic);
    void narrow();
    void insertChosen();
    void showRows(const QList<scriptlang::Completion>& items);
    void updateSignature(bool mayOpen);
    void followCaretLater();

    ScriptEditor& m_editor;
    scriptlang::TextKind m_text;
    NameIndexer& m_indexer;
    QPointer<ScriptHighlighter> m_highlighter;
    CompletionPopup* m_popup = nullptr;
    SignatureTip* m_tip = nullptr;
    QTimer m_automatic;
    QList<scriptlang::Completion> m_all;   // what fits where the list opened
    QList<scriptlang::Completion> m_shown; // its rows, in order
    int m_start = 0;                       // where the typed part of the name starts
    bool m_followPending = false;
};
