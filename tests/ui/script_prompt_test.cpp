// The script prompt "Exécuter (script)" (Outils menu, Ctrl+I).
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "formats/format_library.h"
#include "ui/script_prompt_dialog.h"
#include "window_fixture.h"
#include "window_tests.h"

using uitest::U;
using uitest::WhenModalShows;
using uitest::WindowFixture;

namespace {

// Answers the next prompt: checks what it shows, types `text` and presses
// the button.
void AnswerPrompt(const QString& text, QDialogButtonBox::StandardButton button,
                  QString* shownText = nullptr, QString* selected = nullptr) {
  WhenModalShows([=](QWidget* modal) {
    auto* dialog = qobject_cast<ui::ScriptPromptDialog*>(modal);
    QVERIFY(dialog);
    if (shownText) *shownText = dialog->editor()->toPlainText();
    if (selected) *selected = dialog->editor()->textCursor().selectedText();
    dialog->editor()->setPlainText(text);
    QTest::mouseClick(dialog->buttons()->button(button), Qt::LeftButton);
  });
}

}  // namespace

void ScriptPromptTest::ctrlIOpensThePromptAndRunsItsText() {
  WindowFixture f;
  f.activate();
  QString title, label, buttons;
  WhenModalShows([&](QWidget* modal) {
    auto* dialog = qobject_cast<ui::ScriptPromptDialog*>(modal);
    QVERIFY(dialog);
    title = dialog->windowTitle();
    label = dialog->findChild<QLabel*>()->text();
    for (QAbstractButton* b : dialog->buttons()->buttons()) buttons += b->text() + ";";
    QVERIFY(dialog->editor()->hasFocus());
    // Typed as a user would: a statement that sets a default folder, and a
    // message.
    QTest::keyClicks(dialog->editor(), "dossiers.cartes = \"Niveaux\"");
    QTest::keyClick(dialog->editor(), Qt::Key_Return);
    QTest::keyClicks(dialog->editor(), "msgbox \"Fait\" \"Invite\"");
    QTest::keyClick(dialog->editor(), Qt::Key_Return, Qt::ControlModifier);
  });
  QTest::keyClick(f.window.get(), Qt::Key_I, Qt::ControlModifier);
  QCOMPARE(title, U("Exécuter (script)"));
  QCOMPARE(label, U("Entrez la ou les commandes de script à exécuter."));
  QCOMPARE(buttons, QString("OK;Annuler;"));
  QCOMPARE(f.w.project.defaultFolder(project::kKindMap), std::string("Niveaux"));
  QCOMPARE(f.dialogs.entries().size(), size_t{1});
  QCOMPARE(U(f.dialogs.entries()[0].text), QString("Fait"));
  QCOMPARE(U(f.dialogs.entries()[0].caption), QString("Invite"));
  // The strip has its text back after the run.
  QCOMPARE(f.window->infoText(), U("Bienvenue! Sélectionnez un élément..."));
}

void ScriptPromptTest::thePromptOpensWithTheLastTextAllSelected() {
  WindowFixture f;
  AnswerPrompt("dossiers.mosaiques = \"A\"", QDialogButtonBox::Ok);
  f.window->commandAction(ui::Command::ScriptPrompt)->trigger();
  QString shown, selected;
  AnswerPrompt("dossiers.mosaiques = \"B\"", QDialogButtonBox::Ok, &shown, &selected);
  f.window->commandAction(ui::Command::ScriptPrompt)->trigger();
  QCOMPARE(shown, QString("dossiers.mosaiques = \"A\""));
  QCOMPARE(selected, shown);
  QCOMPARE(f.w.project.defaultFolder(project::kKindTileset), std::string("B"));
}

void ScriptPromptTest::multiLineDefinitionsWorkInThePrompt() {
  WindowFixture f;
  // A format defined over several lines, then selected; a model likewise.
  AnswerPrompt(
      "defformat \"Maison\" {\n"
      "  palette {\n"
      "    ext = \".maison.pal\"\n"
      "  }\n"
      "}\n"
      "selformat \"Maison\"\n"
      "defmodele \"Ennemi\" {\n"
      "  0, 4, \"vie\", \"%d\"\n"
      "}\n",
      QDialogButtonBox::Ok);
  f.window->commandAction(ui::Command::ScriptPrompt)->trigger();
  int format = formats::FindFormat(f.w.formats, "Maison");
  QVERIFY2(format >= 0, f.dialogs.texts().empty() ? "" : f.dialogs.texts()[0].c_str());
  QCOMPARE(f.w.formats.currentFormat, format);
  QVERIFY(formats::FindModel(f.w.formats, "Ennemi") >= 0);
  // Dropping a file of the new format's extension now adds a palette.
  QCOMPARE(f.window->addDroppedFiles({f.dir.filePath("x.maison.pal")}), 1);
  QCOMPARE(f.w.project.entry(0).kindCode(), project::kKindPalette);
}

void ScriptPromptTest::cancelRunsNothing() {
  WindowFixture f;
  AnswerPrompt("dossiers.cartes = \"X\"", QDialogButtonBox::Cancel);
  f.window->commandAction(ui::Command::ScriptPrompt)->trigger();
  QVERIFY(f.w.project.defaultFolder(project::kKindMap).empty());
  QVERIFY(f.dialogs.entries().empty());
}

void ScriptPromptTest::thePromptTakesAtMost10000Characters() {
  ui::ScriptPromptDialog dialog{QString()};
  dialog.editor()->setPlainText(QString(10005, 'a'));
  QCOMPARE(dialog.text().size(), 10000);
  QCOMPARE(dialog.editor()->font().pixelSize(), 14);
  QVERIFY(dialog.editor()->tabChangesFocus());
  QVERIFY(!dialog.editor()->accessibleName().isEmpty());
}
