// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/reveal.h"

#include "editor/scripteditor.h"

#include <QScrollBar>
#include <functional>

namespace {

// Setting the cursor scrolls only when its line is out of sight, and then just far enough to
// bring it to an edge: that scroll says the line was out of sight.
void moveThenCentre(QPlainTextEdit& editor, const std::function<void()>& move)
{
    const int scrolledTo = editor.verticalScrollBar()->value();
    move();
    if (editor.verticalScrollBar()->value() != scrolledTo)
        editor.centerCursor();
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
