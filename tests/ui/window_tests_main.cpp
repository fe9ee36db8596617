// Runs every test class of the main window in one program (offscreen).
#include <QApplication>
#include <QTest>

#include "window_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTEST_SET_MAIN_SOURCE_PATH
  int failures = 0;
  MainWindowMenusTest menus;
  failures += QTest::qExec(&menus, argc, argv);
  ProjectTreeTest tree;
  failures += QTest::qExec(&tree, argc, argv);
  ScriptPromptTest prompt;
  failures += QTest::qExec(&prompt, argc, argv);
  DesktopServicesTest services;
  failures += QTest::qExec(&services, argc, argv);
  return failures == 0 ? 0 : 1;
}
