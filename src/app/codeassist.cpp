// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/codeassist.h"

#include "app/codecompletion.h"
#include "app/codenavigation.h"
#include "app/definitionlink.h"
#include "app/nameindexer.h"
#include "editor/codeview.h"
#include "editor/completionpopup.h"
#include "editor/menurow.h"
#include "editor/scripteditor.h"
#include "editor/signaturetip.h"
#include "mainwindow/mainwindow.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

using scriptlang::TextKind;

namespace {

struct MenuRow {
    const char* text;
    const char* keys;
    bool inVlo;
};

// The rows each editor's right-click menu gets, in the order of CodeAssist::Command.
const MenuRow kMenuRows[] = {{"Complete", "Ctrl+Space", true},
                             {"Go to declaration", "F12 or Ctrl+click", true},
                             {"Go to VLO binding", "Alt+F12", false},
                             {"Find references", "Shift+F12", true},
                             {"Rename", "F2", true},
                             {"Outline", "Ctrl+Shift+O", true}};

ScriptHighlighter* highlighterOf(ScriptEditor& editor)
{
    const CodeView* view = editor.findChild<CodeView*>(QString(), Qt::FindDirectChildrenOnly);
    return view ? view->highlighter() : nullptr;
}

} // namespace

CodeAssist::CodeAssist(MainWindow& window, Dialogs& dialogs)
    : QObject(&window), m_window(window), m_indexer(new NameIndexer(*window.slo(), *window.vlo(), this)),
      m_navigation(new CodeNavigation(*window.slo(), *window.vlo(), *m_indexer, dialogs, this)),
      m_sloCompletion(
          new CodeCompletion(*window.slo(), TextKind::Slo, *m_indexer, highlighterOf(*window.slo()))),
      m_vloCompletion(
          new CodeCompletion(*window.vlo(), TextKind::Vlo, *m_indexer, highlighterOf(*window.vlo())))
{
    for (ScriptEditor* editor : {window.slo(), window.vlo()}) {
        editor->installEventFilter(this);
        editor->viewport()->installEventFilter(this);
        new DefinitionLink(*editor, editor == window.slo() ? TextKind::Slo : TextKind::Vlo, *m_indexer);
    }
    addMenuRows(*window.slo(), *window.sloMenu());
    addMenuRows(*window.vlo(), *window.vloMenu());
}

CodeCompletion& CodeAssist::completion(const ScriptEditor& editor) const
{
    return &editor == m_window.vlo() ? *m_vloCompletion : *m_sloCompletion;
}

std::optional<CodeAssist::Command> CodeAssist::commandOf(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    if (key == Qt::Key_Space && modifiers == Qt::ControlModifier)
        return Command::Complete;
    if (key == Qt::Key_F12 && modifiers == Qt::NoModifier)
        return Command::Definition;
    if (key == Qt::Key_F12 && modifiers == Qt::AltModifier)
        return Command::Binding;
    if (key == Qt::Key_F12 && modifiers == Qt::ShiftModifier)
        return Command::References;
    if (key == Qt::Key_F2 && modifiers == Qt::NoModifier)
        return Command::Rename;
    if (key == Qt::Key_O && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return Command::Outline;
    return std::nullopt;
}

void CodeAssist::run(Command command, ScriptEditor& editor)
{
    completion(editor).hideAll();
    switch (command) {
    case Command::Complete:
        completion(editor).complete();
        break;
    case Command::Definition:
        m_navigation->goToDefinition(editor);
        break;
    case Command::Binding:
        m_navigation->goToBinding(editor);
        break;
    case Command::References:
        m_navigation->findReferences(editor);
        break;
    case Command::Rename:
        m_navigation->rename(editor);
        break;
    case Command::Outline:
        m_navigation->showOutline();
        break;
    }
}

ScriptEditor* CodeAssist::editorOfViewport(QObject* viewport) const
{
    for (ScriptEditor* editor : {m_window.slo(), m_window.vlo()}) {
        if (editor->viewport() == viewport)
            return editor;
    }
    return nullptr;
}

bool CodeAssist::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = watched == m_window.slo() || watched == m_window.vlo()
                       ? static_cast<ScriptEditor*>(watched)
                       : nullptr;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The window's own keys (Escape goes back to the editor) wait while a list is open.
        auto* key = static_cast<QKeyEvent*>(event);
        CodeCompletion* c = editor ? &completion(*editor) : nullptr;
        const bool listOpen = c && (c->popup()->isVisible() || c->signatureTip()->isVisible());
        if (editor &&
            (commandOf(key->key(), key->modifiers()) || (listOpen && key->key() == Qt::Key_Escape))) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        if (!editor)
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        CodeCompletion& c = completion(*editor);
        if (c.takeKey(key))
            return true;
        if (const std::optional<Command> command = commandOf(key->key(), key->modifiers())) {
            run(*command, *editor);
            return true;
        }
        // After the editor has acted on the key.
        QMetaObject::invokeMethod(
            this, [&c, typed = key->text()] { c.followKey(typed); }, Qt::QueuedConnection);
        break;
    }
    case QEvent::FocusOut:
        if (editor)
            completion(*editor).hideAll();
        break;
    case QEvent::ToolTip:
        if (ScriptEditor* owner = editorOfViewport(watched))
            return m_navigation->showHover(*owner, static_cast<QHelpEvent*>(event));
        break;
    case QEvent::MouseButtonPress: {
        ScriptEditor* owner = editorOfViewport(watched);
        if (!owner)
            break;
        completion(*owner).hideAll();
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::ControlModifier) {
            m_navigation->goToDefinitionAt(*owner,
                                           owner->cursorForPosition(mouse->position().toPoint()).position());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CodeAssist::addMenuRows(ScriptEditor& editor, QListWidget& list)
{
    const bool vlo = &editor == m_window.vlo();
    for (int i = 0; i < int(std::size(kMenuRows)); ++i) {
        const MenuRow& row = kMenuRows[i];
        if (vlo && !row.inVlo)
            continue;
        const QString keys = QLatin1String(row.keys);
        const int index = addMenuAction(
            editor, list, QLatin1String(row.text) + QStringLiteral("  ") + keys.section(u' ', 0, 0), *this,
            [this, command = static_cast<Command>(i), e = &editor] { run(command, *e); });
        list.item(index)->setToolTip(QLatin1String(row.text) + QStringLiteral(": ") + keys);
    }
}
