// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/menurow.h"

#include "editor/editormenu.h"
#include "editor/scripteditor.h"

#include <QListWidget>

int appendMenuRow(QListWidget& list, const QString& text)
{
    const QSize rowSize = list.count() > 0 ? list.item(0)->sizeHint() : QSize();
    const int rowHeight = rowSize.height() > 0 ? rowSize.height() : list.fontMetrics().height() + 4;
    list.addItem(text);
    const int row = list.count() - 1;
    list.item(row)->setSizeHint(rowSize);
    const int width =
        qMax(list.width(), list.fontMetrics().horizontalAdvance(text) + 2 * list.frameWidth() + 28);
    list.resize(width, list.height() + rowHeight);
    return row;
}

int addMenuAction(ScriptEditor& editor, QListWidget& list, const QString& text, QObject& context,
                  const std::function<void()>& action)
{
    const int row = appendMenuRow(list, text);
    if (auto* menu = editor.findChild<EditorMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        QObject::connect(menu, &EditorMenu::otherItemChosen, &context, [row, action](int index) {
            if (index == row)
                action();
        });
    }
    return row;
}
