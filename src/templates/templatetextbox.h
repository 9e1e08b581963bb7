// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

// A multi-line text box of the template tools. Towards the program it speaks CR LF text, and
// generated lines are added at its end, each after a line break.
class TemplateTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    TemplateTextBox(const QString& name, QWidget* parent);

    QString text() const;
    void setText(const QString& crlfText);
    // The text becomes the text, then for each line a CR LF and the line.
    void appendLines(const QStringList& lines);
};
