// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// A text box that is never shown: the undo snapshots and the EXPORT work buffer. It keeps its
// text as a plain string, so a snapshot of a 10 MiB script costs a copy, not a layout.
class HiddenTextBuffer : public QWidget {
    Q_OBJECT
public:
    HiddenTextBuffer(const QString& name, QWidget* parent);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    // False until the first setText: an undo box that has never taken a snapshot, as opposed
    // to one holding the snapshot of an empty editor.
    bool isWritten() const { return m_written; }

private:
    QString m_text;
    bool m_written = false;
};
