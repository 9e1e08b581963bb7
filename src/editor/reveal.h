// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPlainTextEdit;
class QTextCursor;
class ScriptEditor;

// A jump to a place in an editor (go to line, a search hit, a finding, a reference): the
// cursor is set, and a line that was out of sight comes to the middle of the editor with the
// code around it, not to the editor's bottom edge. A line already in sight stays where it is.
void setCursorInMiddle(QPlainTextEdit& editor, const QTextCursor& cursor);
// The same for a selection given in the editor's CR LF text.
void selectInMiddle(ScriptEditor& editor, int start, int length);
