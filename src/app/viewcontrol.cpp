// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontrol.h"

#include "editor/codeview.h"
#include "platform/dialogs.h"

#include <QListWidget>

ViewControl::ViewControl(QString programDir, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_programDir(std::move(programDir)), m_dialogs(dialogs),
      m_settings(viewsettings::read(m_programDir))
{
}

void ViewControl::add(CodeView& view)
{
    m_views.append(&view);
    view.apply(m_settings);
}

void ViewControl::extendMenu(QListWidget& list)
{
    const int baseRows = list.count();
    const int rowHeight = (list.height() - 2 * list.frameWidth()) / qMax(1, baseRows);
    list.addItems(
        {QStringLiteral("Line numbers"), QStringLiteral("Highlighting"), QStringLiteral("Fixed-width font")});
    for (int row = LineNumbers; row <= FixedWidthFont; ++row)
        list.item(row)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_lists.append(&list);
    showStates();
    // Room for the check marks and the longest text, one row more per item.
    int textWidth = 0;
    for (int row = 0; row < list.count(); ++row)
        textWidth = qMax(textWidth, list.fontMetrics().horizontalAdvance(list.item(row)->text()));
    const int width = qMax(list.width(), textWidth + 2 * list.frameWidth() + 28);
    list.resize(width, rowHeight * list.count() + 2 * list.frameWidth());
}

void ViewControl::showStates()
{
    const bool states[] = {m_settings.lineNumbers, m_settings.highlighting, m_settings.fixedWidthFont};
    for (QListWidget* list : std::as_const(m_lists)) {
        if (!list)
            continue;
        for (int row = LineNumbers; row <= FixedWidthFont; ++row)
            list->item(row)->setCheckState(states[row - LineNumbers] ? Qt::Checked : Qt::Unchecked);
    }
}

void ViewControl::toggle(int item)
{
    switch (item) {
    case LineNumbers:
        m_settings.lineNumbers = !m_settings.lineNumbers;
        break;
    case Highlighting:
        m_settings.highlighting = !m_settings.highlighting;
        break;
    case FixedWidthFont:
        m_settings.fixedWidthFont = !m_settings.fixedWidthFont;
        break;
    default:
        return;
    }
    showStates();
    for (CodeView* view : std::as_const(m_views)) {
        if (view)
            view->apply(m_settings);
    }
    const std::optional<FileFailure> failure = viewsettings::write(m_programDir, m_settings);
    if (failure && !m_writeFailureTold) {
        m_writeFailureTold = true;
        m_dialogs.tell(
            QStringLiteral("VIEW SETTINGS NOT SAVED"),
            QStringLiteral("The view settings could not be written; they hold until the program ends:\n") +
                describeFailures({*failure}),
            Dialogs::Icon::Warning);
    }
}
