// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/reveal.h"

#include "editor/scripteditor.h"

#include <QScrollBar>
#include <functional>

namespace {

// The editor follows the caret, which stands at a selection's end: a selected line longer than
// the view leaves its start out of sight on the left. The start is brought back, with the
// line's beginning when the start fits beside it.
void keepSelectionStartInSight(QPlainTextEdit& editor)
{
    QTextCursor start = editor.textCursor();
    start.setPosition(start.selectionStart());
    const int x = editor.cursorRect(start).left();
    if (x >= 0)
        return;
    QScrollBar& bar = *editor.horizontalScrollBar();
    const int margin = editor.fontMetrics().averageCharWidth() * 4;
    const int startInLine = bar.value() + x;
    bar.setValue(startInLine + margin < editor.viewport()->width() ? 0 : startInLine - margin);
}

// Setting the cursor scrolls only when its line is out of sight, and then just far enough to
// bring it to an edge: that scroll says the line was out of sight.
void moveThenCentre(QPlainTextEdit& editor, const std::function<void()>& move)
{
    const int scrolledTo = editor.verticalScrollBar()->value();
    move();
    if (editor.verticalScrollBar()->value() != scrolledTo)
        editor.centerCursor();
    keepSelectionStartInSight(editor);
}

} // namespace

void setCursorInMiddle(QPlainTextEdit& editor, const QTextCursor& cursor)
{
    moveThenCentre(editor, [&] { editor.setTextCursor(cursor); });
}

void selectInMiddle(ScriptEditor& editor, int start, int length)
{
    moveThenCentre(editor, [&] { editor.setSelection(start, length); });
}
