#pragma once

#include <QObject>

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordIsWrittenToTheByte();
    void writeAndReadBack();
    void readerCases_data();
    void readerCases();
    void garbageAndHugeFilesAreReadQuickly();
    void fileNameIsMatchedWithoutCase();
    void missingFileReadsAsEmpty();
    void unmappableDirectoryCharactersAreReported();
};

class ProjectFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFilesAreCreatedEmptyExistingOnesKept();
    void loadDropsTheWritersLineEnd();
    void writeAppendsOneCrLfToEachText();
    void highBytesRoundTrip();
};

class SaveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stampHasNoLeadingZeros();
    void eachSaveMakesItsSnapshotsOfThePreviousFiles_data();
    void eachSaveMakesItsSnapshotsOfThePreviousFiles();
    void firstSaveSnapshotsTheEmptyFiles();
    void sameSecondSaves();
    void missingProjectFileIsWrittenWithoutSnapshot();
    void unwritableBackupFolderKeepsTheProjectFiles();
    void readOnlyProjectFolderIsReportedAndLosesNothing();
    void fullDiskLeavesEachFileWhole();
    void fullBackupDiskKeepsTheProjectFiles();
    void saverShowsTheSignOnlyForACompleteSave();
    void saverTellsReplacedCharacters();
};
