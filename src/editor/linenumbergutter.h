// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

class QPlainTextEdit;

// The line numbers at the left edge inside an editor's frame. The editor's text moves right by
// the gutter's width (through the margin setter the editor gives), so no control outside the
// editor moves. The caret's line is marked; a click selects the line, a drag extends it.
class LineNumberGutter : public QWidget {
    Q_OBJECT
public:
    LineNumberGutter(QPlainTextEdit& editor, int firstNumber, std::function<void(int)> setLeftMargin);

    int firstNumber() const { return m_firstNumber; }
    void setFirstNumber(int first);
    void setShown(bool shown);
    // The width the current line count needs.
    int neededWidth() const;
    // The number drawn for the line (0-based block number).
    int numberOfLine(int blockNumber) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fitWidth();
    void placeInFrame();
    void selectLines(int fromBlock, int toBlock);
    int blockAt(int y) const;

    QPlainTextEdit& m_editor;
    int m_firstNumber;
    std::function<void(int)> m_setLeftMargin;
    bool m_shown = true;
    int m_digits = -1;
    int m_pressedBlock = -1;
};
