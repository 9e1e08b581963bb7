// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/templatetextbox.h"

#include "editor/scripteditor.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextCursor>

TemplateTextBox::TemplateTextBox(const QString& name, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(name);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    setFont(fixed);
    setTabChangesFocus(true);
}

QString TemplateTextBox::text() const
{
    return crLfFromRawText(document()->toRawText());
}

void TemplateTextBox::setText(const QString& crlfText)
{
    setPlainText(crlfText);
}

void TemplateTextBox::appendLines(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    QString added = QStringLiteral("\n");
    added += lines.join(QLatin1Char('\n'));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(added);
    // Show the newest lines, as a growing list should.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
