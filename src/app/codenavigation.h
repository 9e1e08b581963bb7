// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/navigation.h"

#include <QObject>
#include <QPointer>

class Dialogs;
class NameIndexer;
class OutlinePopup;
class QHelpEvent;
class ReferencesWindow;
class ScriptEditor;

// Going about a window's script by its names: F12 (and Ctrl+click) to a declaration, Alt+F12
// from a global to its VLO line, Shift+F12 to the list of every place, F2 to rename a name in
// both texts, Ctrl+Shift+O to the outline; and what a name is, when the pointer rests on it.
class CodeNavigation : public QObject {
    Q_OBJECT
public:
    CodeNavigation(ScriptEditor& slo, ScriptEditor& vlo, NameIndexer& indexer, Dialogs& dialogs,
                   QObject* parent = nullptr);
    ~CodeNavigation() override;

    void goToDefinition(ScriptEditor& from);
    void goToDefinitionAt(ScriptEditor& from, int position);
    void goToBinding(ScriptEditor& from);
    void findReferences(ScriptEditor& from);
    void rename(ScriptEditor& from);
    // Over the script, whichever editor asks.
    void showOutline();
    // The pointer rests on the editor: true when a tip was shown.
    bool showHover(ScriptEditor& editor, QHelpEvent* event);

    ReferencesWindow* referencesWindow() const;
    OutlinePopup* outline() const;

private:
    scriptlang::TextKind textOf(const ScriptEditor& editor) const;
    ScriptEditor& editorOf(scriptlang::TextKind text) const;
    void goTo(const scriptlang::Location& place);
    // A short note beside the caret, for what cannot be done there.
    void tell(ScriptEditor& editor, const QString& message);

    ScriptEditor& m_slo;
    ScriptEditor& m_vlo;
    NameIndexer& m_indexer;
    Dialogs& m_dialogs;
    QPointer<ReferencesWindow> m_references;
    QList<scriptlang::Location> m_referencePlaces;
    QPointer<OutlinePopup> m_outline;
    QList<scriptlang::Location> m_outlinePlaces;
};
