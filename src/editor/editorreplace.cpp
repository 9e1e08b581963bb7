// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editorreplace.h"

#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "editor/textchange.h"

#include <QTextCursor>

void replaceEditorText(ScriptEditor& editor, const QString& crlfText)
{
    const QString before = editor.text();
    if (before == crlfText)
        return;
    const textchange::Change change = textchange::between(before, crlfText);
    QTextCursor cursor(editor.document());
    cursor.setPosition(editor.toDocument(change.start));
    cursor.setPosition(editor.toDocument(change.start + change.removed), QTextCursor::KeepAnchor);
    cursor.insertText(change.inserted);
}

void replaceEditorTextUndoably(ScriptEditor& editor, HiddenTextBuffer& undoSnapshot, const QString& crlfText)
{
    undoSnapshot.setText(editor.text());
    replaceEditorText(editor, crlfText);
}
