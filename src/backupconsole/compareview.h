// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backupconsole/textdiff.h"

#include <QPlainTextEdit>
#include <QWidget>

class ElidingLabel;
class QLabel;
class QPushButton;
class DiffText;

// The preview's compare view: the snapshot against another text as one line diff, lines only
// in the snapshot on red, lines only in the other text on green, both sides' line numbers in
// the margin. Previous / next change by button or Shift+F8 / F8.
class CompareView : public QWidget {
    Q_OBJECT
public:
    explicit CompareView(QWidget* parent);

    // The legend names the snapshot shown and `otherSide`, the text it is compared with.
    void showDiff(const QString& snapshotName, const QString& snapshotText, const QString& otherText,
                  const QString& otherSide);
    const textdiff::Result& diff() const { return m_diff; }
    // The number the margin shows for a text's first line, as the editors number it.
    void setFirstLineNumber(int first);

    // The selected part of the snapshot's own text: the selection without the lines that are
    // only in the other text, lines joined by CR LF.
    QString selectedSnapshotText() const;
    // Row of the diff the caret stands in.
    int currentRow() const;

    void nextChange();
    void previousChange();

private:
    void goToRow(int row);
    void updateButtons();

    textdiff::Result m_diff;
    QWidget* m_header = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QLabel* m_count = nullptr;
    ElidingLabel* m_legend = nullptr;
    DiffText* m_text = nullptr;
};

// The diff's text with its two-number margin.
class DiffText : public QPlainTextEdit {
    Q_OBJECT
public:
    DiffText(const textdiff::Result& diff, QWidget* parent);

    void reload();
    void setFirstLineNumber(int first) { m_first = first; }
    int marginWidth() const;
    void paintMargin(QPaintEvent* event);

Q_SIGNALS:
    void nextChangeKey();
    void previousChangeKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const textdiff::Result& m_diff;
    QWidget* m_margin = nullptr;
    int m_digits = 1;
    int m_first = 1;
};
