#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// The main window's Qt tests, one class per area; window_tests_main.cpp runs
// them all.

class MainWindowMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void menuBarHoldsTheMenusOfPart61InOrder();
  void menuItemsHaveTheirTextsStatesAndShortcuts_data();
  void menuItemsHaveTheirTextsStatesAndShortcuts();
  void everyCommandHasItsAction();
  void proceduresMenuListsTheSystemScriptsProcedures();
  void newAnsweredNoEmptiesTheProjectAndTheNextSaveAsksForAName();
  void newAnsweredCancelChangesNothing();
  void newAnsweredYesSavesFirst();
  void openOfAFileThatIsNoProjectKeepsTheProjectAndItsPath();
  void openReadsTheChosenProjectAndMovesToItsDirectory();
  void openAsksOnceBeforeTheProjectStartsAProgram();
  void saveAsAlwaysAsksForAName();
  void quitWithoutSavingAsksOnlyWhenTheProjectChanged();
  void quitWithoutSavingFollowsTheOnquitEvent();
  void closingTheWindowSaves();
  void documentationOpensTheInstalledHtmlIndex();
  void userHelpOpensThePersonalPageOrSaysItIsMissing();
  void aboutShowsTheProgramAndItsVersion();
  void cleanProjectAsksAndRemovesElementsWithoutFiles();
  void whileBusyTheWindowTakesNoCommands();
  void everyControlHasAnAccessibleNameAndTakesTheFocus();
  void theStripShowsTheSelectionAndCutsLongTexts();
};

class ProjectTreeTest : public QObject {
  Q_OBJECT

 private slots:
  void elementMenuHasItsItemsInOrder_data();
  void elementMenuHasItsItemsInOrder();
  void elementMenuCommandsOpenTheFilesThroughTheShell();
  void baseFileIsOpenedOnlyWhenItIsAPlainDocument();
  void folderMenuSetsAndClearsDefaultFolders();
  void categoryMenuShowsAndRestoresDefaultFolders();
  void doubleClickOpensTextFilesOrTheMapEditor();
  void f2TypingAndEnterRenames();
  void renamingCutsLongNamesAndEmptyCancels();
  void renamingAFolderKeepsItsMembers();
  void escapeAfterDuplicateRemovesTheCopy();
  void enterAfterDuplicateCopiesTheFile();
  void deleteAsksThePart11Question();
  void deleteOfAFolderWithMembersAsksFirst();
  void draggingHighlightsTheDropTargetAndMovesTheEntry();
  void draggingAFolderIntoItselfIsRefused();
  void droppedFilesBecomeElements();
  void droppedFilesOfTheParentDirectoryStartWithDotDot();
  void elementsAndFoldersShowTheirPages();
};

class ScriptPromptTest : public QObject {
  Q_OBJECT

 private slots:
  void ctrlIOpensThePromptAndRunsItsText();
  void thePromptOpensWithTheLastTextAllSelected();
  void multiLineDefinitionsWorkInThePrompt();
  void cancelRunsNothing();
  void thePromptTakesAtMost10000Characters();
};

class DesktopServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void documentsAndTextFilesOpenAsFileUrls();
  void programsAndDirectoriesAreNotOpened();
  void deletedFilesGoToTheTrash();
  void aFailedTrashSaysSo();
  void execGuardAsksOnceWhileArmed();
  void theFixedFontIsTheSystemsAt14Pixels();
  void splashShowsTheBuiltInPictureAndClosesAfter3Seconds();
  void splashWithoutAPictureClosesAtOnce();
  void waitWindowSaysWorkIsInProgress();

 public slots:
  void openUrl(const QUrl& url);

 private:
  QList<QUrl> opened_;
};
