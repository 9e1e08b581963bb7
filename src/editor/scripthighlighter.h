// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/scripttokens.h"

#include <QObject>
#include <QTextCharFormat>
#include <QTimer>

class QPlainTextEdit;
class QTextBlock;

// Colours an editor's script or variable text without touching the text: the colours are
// formats of each line's layout, so positions, undo steps and the modified state stay as they
// are. Only the lines on screen are coloured, just before they are painted; what the editor
// needs for them is where the /* */ comments run, and that is scanned ahead in short idle
// slices, each line keeping the state at its end. So a big script opens as fast as without
// colours, and a "/*" typed at the top re-colours the screen at once and the rest in the idle
// slices.
class ScriptHighlighter : public QObject {
    Q_OBJECT
public:
    ScriptHighlighter(QPlainTextEdit& editor, codeview::Language language);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // Colours the lines on screen now (the paint does it otherwise).
    void colourVisibleLines();
    // Colours one line now, whether on screen or not.
    void colourBlock(const QTextBlock& block);
    // Whether the comment scan has reached the end of the text.
    bool isScanComplete() const;
    // Runs the comment scan to the end of the text.
    void completeScan();

    static QTextCharFormat formatOf(codeview::TokenClass kind);
    codeview::Language language() const { return m_language; }
    // Whether the line starts inside a /* */ comment, scanning up to it when needed.
    bool startsInCommentScanned(const QTextBlock& block);
    // The next change of the text keeps its lines and where each ends inside or outside a
    // comment (a Replace all that touches no '/', '*', '"' or line break): its lines lose only
    // their colours, and the comment scan does not start over.
    void expectChangeKeepingLineEnds() { m_keepLineEnds = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onContentsChange(int position, int removed, int added);
    void colourBeforePaint();
    // Scans the comment state of lines from the frontier on, until `lastBlock` is scanned or
    // `budgetMs` is spent (negative: no limit).
    void scan(int lastBlock, int budgetMs);
    void scanSlice();
    bool startsInComment(const QTextBlock& block) const;
    void clearColours();

    QPlainTextEdit& m_editor;
    codeview::Language m_language;
    bool m_enabled = true;
    int m_blockCount = 1;
    // Lines before m_validUpTo have a known end state. Lines from m_dirtyUntil up to
    // m_knownUpTo kept theirs from before an edit: once the scan finds one of them unchanged,
    // all of them are known again.
    int m_validUpTo = 0;
    int m_dirtyUntil = 0;
    int m_knownUpTo = 0;
    bool m_staleOnScreen = false;
    bool m_colourPending = false;
    bool m_keepLineEnds = false;
    QTimer m_idle;
    // The whole text while a long scan runs: one copy instead of one per line.
    QString m_raw;
    quint64 m_rawVersion = 0;
    quint64 m_contentsVersion = 1;
};
