// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// A small borderless window with big text inside a frame of four lines: the base of the
// wait window and the "SAVED" sign.
class FramedMessageWindow : public QWidget {
    Q_OBJECT
public:
    FramedMessageWindow(const QString& name, QWidget* parent = nullptr);

protected:
    QLabel* addLabel(const QString& name, const QString& text, const QFont& font);
    QTimer* addTimer(const QString& name, int interval);
    void paintEvent(QPaintEvent* event) override;
};
