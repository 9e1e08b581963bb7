// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editorsearch.h"
#include "editor/textreplace.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class ElidingLabel;
class HiddenTextBuffer;
class QCheckBox;
class QLineEdit;
class QPushButton;
class ScriptEditor;

// The find and replace bar at the bottom of an editor: Find and Replace boxes, Match case,
// Whole word and Regular expression, the number of matches, Previous / Next, Replace and
// Replace all. While it is open every match in sight is marked. Escape closes it.
class ReplaceBar : public QWidget {
    Q_OBJECT
public:
    // `beforeChange` runs before a search moves the selection and before a replace (the save with
    // its "_BEFORESEEK" snapshot). `undoSnapshot` takes the text Replace all replaced, so the
    // editor menu's Undo brings it back as Ctrl+Z does.
    ReplaceBar(ScriptEditor& editor, HiddenTextBuffer* undoSnapshot, std::function<void()> beforeChange);

    // Shows the bar with `findText` (unless empty) selected in the Find box, which takes the focus.
    void open(const QString& findText);
    // Hides the bar and its marks; the editor takes the focus.
    void dismiss();

    void findNext();
    void findPrevious();
    // Replaces the selected match and goes to the next one; without a selected match, goes to it.
    void replaceOne();
    // Every match replaced as one undo step; the number replaced.
    int replaceAll();

    // What the bar says: the number of matches, a bad expression, what the last action did.
    QString status() const;
    const textreplace::Pattern& pattern() const { return m_pattern; }

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createControls();
    void arrangeRows();
    void followEditor();
    void replaceAllNow() { replaceAll(); }
    void patternChanged();
    void showCount();
    void markInSight();
    void tell(const QString& message);
    void select(const EditorSearch::Range& range);
    std::optional<EditorSearch::Range> selectedRange() const;
    bool showBadPattern();

    ScriptEditor& m_editor;
    HiddenTextBuffer* m_undoSnapshot;
    std::function<void()> m_beforeChange;
    EditorSearch m_search;
    textreplace::Pattern m_pattern;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_regex = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_one = nullptr;
    QPushButton* m_all = nullptr;
    QPushButton* m_close = nullptr;
    ElidingLabel* m_status = nullptr;
    QList<QWidget*> m_tabChain;
    QTimer m_countLater;
    QTimer m_markLater;
    // A result told by the last action, kept until the pattern changes or the next action.
    QString m_message;
};
