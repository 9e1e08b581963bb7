#pragma once

#include <QObject>

class SnapshotFolderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsEachKindByNameWithoutRegardToCase();
    void loadDropsOnlyTheWritersLineEnd_data();
    void loadDropsOnlyTheWritersLineEnd();
    void folderInPlaceOfASnapshotIsReported();
};

class PreviewRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textBoxFollowsTheWindow();
};

class ConsoleWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheBackupFolderThroughTheWindow();
    void folderIsReadOnlyOnceWhileOpen();
    void windowsAreEnabledInTurn();
    void consoleFrom1024GivesBothLayoutsBack();
    void closingCreatesTheOtherLayoutHidden();
    void nothingUnderThePointerOpensNoPreview();
    void unreadableSnapshotOpensNoPreview();
    void enterOpensTheCurrentEntry();
    void fileInPlaceOfTheFolderIsTold();
};

class PreviewWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheSnapshotWithoutTheWritersLineEnd();
    void revertChoosesTheEditor_data();
    void revertChoosesTheEditor();
    void revertWritesNothingUntilTheNextSave();
    void addSelectedToNotesAppendsFramedBlocks();
    void textBoxFollowsTheWindowSize();
};
