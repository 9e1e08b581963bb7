// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QObject>
#include <QPoint>

class NameIndexer;
class ScriptEditor;

// Holding Ctrl over a name that Ctrl+click would follow underlines it as a link and shows the
// pointing hand; releasing Ctrl, moving off the name or leaving the editor takes that away.
class DefinitionLink : public QObject {
    Q_OBJECT
public:
    DefinitionLink(ScriptEditor& editor, scriptlang::TextKind text, NameIndexer& indexer);

    // The name underlined now, as a document range; length 0 when none.
    scriptlang::TextRange shown() const { return m_shown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAt(const QPoint& viewportPoint);
    void clear();

    ScriptEditor& m_editor;
    scriptlang::TextKind m_text;
    NameIndexer& m_indexer;
    scriptlang::TextRange m_shown;
};
