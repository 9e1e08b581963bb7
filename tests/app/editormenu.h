// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/scripteditor.h"

#include <QListWidget>
#include <QTest>

// A right-button press at `at` (viewport coordinates) over the editor, which must open `list`;
// then, unless `row` is negative, a click on that row of the list.
inline void chooseInMenu(ScriptEditor* editor, QListWidget* list, int row, QPoint at = QPoint(20, 20))
{
    QTest::mousePress(editor->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(editor->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QVERIFY(list->isVisible());
    if (row >= 0)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
}
