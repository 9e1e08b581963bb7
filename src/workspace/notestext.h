// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The author's notes. This is their lasting copy while the notes window is closed; while it
// is open, its editor and this text are kept equal after every change.
class NotesText : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QString& text() const { return m_text; }
    void setText(const QString& text);

Q_SIGNALS:
    void changed(const QString& text);

private:
    QString m_text;
};
