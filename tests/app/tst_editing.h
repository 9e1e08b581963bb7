#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

struct AppFixture;
class QListWidget;
class ScriptEditor;

class EditorMenuTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void snapshotKeysFollowTheLayout();
    void deleteThenUndoKeepsTheCaretOfTheUndo();
    void undoNeedsASnapshotButAnEmptyOneCounts();
    void menuOpensAtThePointerAndHides();
    void clipboardUse();
};

class SeekTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchWalksOverlapsAndSavesBeforeEachMove();
    void searchIgnoresCaseAcrossLineBreaks();
    void emptyInputsNeitherSaveNorMove();
    void failedSaveIsToldAndTheMoveStillHappens();
    void goToLineSelectsTheLine();
    void lineBoxEmptiesOnAnyPress();
};

class NotesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void selectionsGoToTheTopNewestFirst();
    void closingKeepsTheTextForTheNextOpening();
    void undoInTheNotes();
    void outsideChangesShowAndCanBeTakenBack();
    void editorFillsTheWindow();
};

// A press of the right button at `at` (viewport coordinates) over an editor.
void rightPress(ScriptEditor* editor, QPoint at = QPoint(20, 20));
// A click on the row of an open menu list.
void chooseMenuItem(QListWidget* list, int row);
// The "_BEFORESEEK" snapshots in the backup folder.
QStringList seekSnapshots(const AppFixture& f);
