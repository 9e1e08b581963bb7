// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editormenu.h"

#include "editor/editorreplace.h"
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>

namespace {

// Other forms of a text that an application may prefer to plain text when pasting. Left behind
// from an earlier copy they would paste the old text, so they go when new text is put there.
bool isFormOfText(const QString& format)
{
    return format.startsWith(QLatin1String("text/")) || format == QLatin1String("application/rtf") ||
           format == QLatin1String("application/x-qt-richtext");
}

void putOnClipboard(const QString& crlfText, EditorMenu::ClipboardUse use)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    // The clipboard carries the platform's line breaks, as the editor's own Ctrl+C does.
    QString text = crlfText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (use == EditorMenu::ClipboardUse::ReplaceAll) {
        clipboard->clear();
        clipboard->setText(text);
        return;
    }
    auto* data = new QMimeData;
    if (const QMimeData* current = clipboard->mimeData()) {
        for (const QString& format : current->formats()) {
            if (!isFormOfText(format))
                data->setData(format, current->data(format));
        }
    }
    data->setText(text);
    clipboard->setMimeData(data);
}

} // namespace

QList<int> EditorMenu::mainEditorKeys(bool withBackspace)
{
    QList<int> keys{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete};
    if (withBackspace)
        keys.append(Qt::Key_Backspace);
    return keys;
}

QList<int> EditorMenu::notesKeys()
{
    return {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete};
}

EditorMenu::EditorMenu(ScriptEditor& editor, HiddenTextBuffer& snapshot, QListWidget& list,
                       QList<int> snapshotKeys, ClipboardUse clipboardUse)
    : QObject(&editor), m_editor(editor), m_snapshot(snapshot), m_list(list),
      m_snapshotKeys(std::move(snapshotKeys)), m_clipboardUse(clipboardUse)
{
    // The right button belongs to this menu, not to the editor's built-in one.
    m_editor.setContextMenuPolicy(Qt::PreventContextMenu);
    connect(&m_editor, &ScriptEditor::keyAboutToBeHandled, this, &EditorMenu::onKey);
    connect(&m_editor, &ScriptEditor::mousePressed, this, &EditorMenu::onMousePress);

    m_list.setFocusPolicy(Qt::NoFocus);
    m_list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list.setMouseTracking(true);
    // Regular weight, so that "Paste" fits the narrow list whole.
    QFont font = m_list.font();
    font.setBold(false);
    m_list.setFont(font);
    m_list.setTextElideMode(Qt::ElideNone);
    // All five items fit the list's fixed height, one row each.
    const int inner = m_list.height() - 2 * m_list.frameWidth();
    for (int row = 0; row < m_list.count(); ++row)
        m_list.item(row)->setSizeHint(
            QSize(m_list.width() - 2 * m_list.frameWidth(), inner / m_list.count()));
    if (QListWidgetItem* separator = m_list.item(Separator))
        separator->setFlags(Qt::ItemIsEnabled);
    connect(&m_list, &QListWidget::itemEntered, &m_list, [this](QListWidgetItem* item) {
        if (item->flags() & Qt::ItemIsSelectable)
            m_list.setCurrentItem(item);
        else
            m_list.clearSelection();
    });
    connect(&m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(m_list.row(item)); });
}

void EditorMenu::onKey(QKeyEvent* event)
{
    // Only the key counts, not Shift or Ctrl; a held key snapshots at each repetition.
    if (m_snapshotKeys.contains(event->key()))
        m_snapshot.setText(m_editor.text());
}

void EditorMenu::onMousePress(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        showAt(event->position().toPoint());
    else
        m_list.hide();
}

void EditorMenu::showAt(const QPoint& viewportPosition)
{
    // The list's top-left corner goes under the pointer, even where the list then reaches past
    // the editor; it moves up or left only as far as it must to stay whole inside the window.
    // It does not take the focus from the editor.
    QPoint corner = m_editor.viewport()->mapTo(m_list.parentWidget(), viewportPosition);
    const QSize room = m_list.parentWidget()->size();
    corner.setX(qMax(0, qMin(corner.x(), room.width() - m_list.width())));
    corner.setY(qMax(0, qMin(corner.y(), room.height() - m_list.height())));
    m_list.move(corner);
    m_list.clearSelection();
    m_list.raise();
    m_list.show();
}

void EditorMenu::choose(int index)
{
    switch (index) {
    case Undo:
        undo();
        break;
    case Copy:
        copySelection();
        break;
    case Cut: {
        copySelection();
        QTextCursor cursor = m_editor.textCursor();
        cursor.removeSelectedText();
        m_editor.setTextCursor(cursor);
        break;
    }
    case Paste: {
        QTextCursor cursor = m_editor.textCursor();
        cursor.insertText(QGuiApplication::clipboard()->text());
        m_editor.setTextCursor(cursor);
        break;
    }
    case Separator:
        // The list stays open and nothing changes.
        return;
    default:
        if (index < 0 || index >= m_list.count())
            return;
        Q_EMIT otherItemChosen(index);
        break;
    }
    finish();
}

void EditorMenu::undo()
{
    // An editor that has never taken a snapshot has nothing to go back to.
    if (!m_snapshot.isWritten())
        return;
    const int caret = m_editor.selectionStart();
    replaceEditorText(m_editor, m_snapshot.text());
    m_editor.setCaret(caret);
}

void EditorMenu::copySelection()
{
    putOnClipboard(m_editor.selectedText(), m_clipboardUse);
}

void EditorMenu::finish()
{
    m_list.hide();
    m_list.clearSelection();
    m_editor.setFocus();
}
