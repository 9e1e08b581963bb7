// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class HiddenTextBuffer;
class ScriptEditor;

// Brings the editor to `crlfText` by replacing only the stretch that differs, as one step of
// the editor's own undo history (Ctrl+Z takes it back). Text before the change keeps its
// place, so an addition at the end of the notes does not move the author's caret.
void replaceEditorText(ScriptEditor& editor, const QString& crlfText);

// The whole text replaced as one edit that both Ctrl+Z and the menu's Undo take back: the
// replaced text becomes the editor's undo snapshot too.
void replaceEditorTextUndoably(ScriptEditor& editor, HiddenTextBuffer& undoSnapshot, const QString& crlfText);
