#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>

#include "project/project.h"
#include "project/project_file.h"
#include "script/procedures_menu.h"
#include "script/script_events.h"
#include "app/workshop.h"
#include "ui/project_tree_view.h"

namespace ui {

namespace {

constexpr const char* kWelcome = "Bienvenue! Sélectionnez un élément...";

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow(app::Workshop& workshop, project::SessionHooks& hooks, QWidget* parent)
    : QMainWindow(parent), workshop_(workshop), hooks_(hooks) {
  setWindowTitle(QStringLiteral("Tessel Works 1.00a"));

  auto* splitter = new QSplitter(this);
  tree_ = new ProjectTreeView(splitter);
  auto* right = new QWidget(splitter);
  auto* rightLayout = new QVBoxLayout(right);
  info_ = new QLabel(right);
  info_->setObjectName("infoStrip");
  info_->setStyleSheet("QLabel#infoStrip { background: #203040; color: white; padding: 2px; }");
  info_->setTextFormat(Qt::PlainText);
  page_ = new QLabel(right);
  page_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  page_->setWordWrap(true);
  rightLayout->addWidget(info_);
  rightLayout->addWidget(page_, 1);
  splitter->addWidget(tree_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);
  resize(760, 460);

  setInfoText(QString::fromUtf8(kWelcome));
  buildMenus();
  refreshTree();

  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
            if (!treeReactionsSuspended_) showPageFor(current);
          });
  workshop_.interpreter.host = this;
}

MainWindow::~MainWindow() {
  if (workshop_.interpreter.host == this) workshop_.interpreter.host = nullptr;
}

QString MainWindow::infoText() const { return info_->text(); }

void MainWindow::setInfoText(const QString& text) {
  // The strip keeps to one line: long texts end with an ellipsis.
  QFontMetrics metrics(info_->font());
  info_->setText(metrics.elidedText(text, Qt::ElideRight, 375));
}

void MainWindow::refreshTree() { tree_->showTree(workshop_.project.tree()); }

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("Fichier"));
  auto addItem = [this](QMenu* menu, const char* text, const QKeySequence& key,
                        auto slot) -> QAction* {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    if (!key.isEmpty()) {
      action->setShortcut(key);
      addAction(action);
    }
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  auto notYet = [] {};
  addItem(file, "Nouveau\t   Ctrl+N", QKeySequence("Ctrl+N"), notYet)->setEnabled(false);
  addItem(file, "Ouvrir\t   Ctrl+O", QKeySequence("Ctrl+O"), notYet)->setEnabled(false);
  addItem(file, "Enregistrer\t   Ctrl+S", QKeySequence("Ctrl+S"), [this] { saveProject(false); });
  addItem(file, "Enregistrer sous...", {}, [this] { saveProject(true); });
  file->addSeparator();
  addItem(file, "Plate-forme...", {}, notYet)->setEnabled(false);
  addItem(file, "Formats de fichier...", {}, notYet)->setEnabled(false);
  file->addSeparator();
  addItem(file, "Quitter sans sauver\t   Ctrl+Q", QKeySequence("Ctrl+Q"),
          [this] { quitWithoutSaving(); });

  QMenu* edit = menuBar()->addMenu(QStringLiteral("Edition"));
  addItem(edit, "Copier l'aperçu\t   Ctrl+C", QKeySequence("Ctrl+C"), notYet)->setEnabled(false);
  addItem(edit, "Exporter (image)\t   Ctrl+X", QKeySequence("Ctrl+X"), notYet)->setEnabled(false);

  QMenu* view = menuBar()->addMenu(QStringLiteral("Affichage"));
  addItem(view, "Actualiser l'arbre\t   F5", QKeySequence("F5"), [this] {
    workshop_.project.rebuildTree();
    refreshTree();
  });
  addItem(view, "Ajouter dossier", {}, notYet)->setEnabled(false);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("Outils"));
  addItem(tools, "Invite de script\t   Ctrl+I", QKeySequence("Ctrl+I"), notYet)->setEnabled(false);
  addItem(tools, "Nettoyer le projet", {}, [this] {
    workshop_.project.cleanProject();
    refreshTree();
  });
  addItem(tools, "Options...", {}, notYet)->setEnabled(false);

  proceduresMenu_ = menuBar()->addMenu(QString::fromUtf8("Procédures"));
  buildProceduresMenu();

  QMenu* help = menuBar()->addMenu(QStringLiteral("Aide"));
  addItem(help, "Documentation\t   F1", QKeySequence("F1"), notYet)->setEnabled(false);
  addItem(help, "Aide perso...\t   F3", QKeySequence("F3"), notYet)->setEnabled(false);
  addItem(help, "A propos de...", {}, [this] {
    QMessageBox::about(this, QStringLiteral("A propos de..."),
                       QString::fromUtf8("Tessel Works 1.00a\nAtelier graphique pour Game Boy Advance."));
  });
}

void MainWindow::buildProceduresMenu() {
  proceduresMenu_->clear();
  for (const script::ProcedureItem& item : script::BuildProceduresMenu(workshop_.paths.scriptPath)) {
    QAction* action = proceduresMenu_->addAction(Utf8(item.text));
    action->setEnabled(item.enabled);
    action->setData(item.command);
    if (item.enabled) {
      std::string text = item.text;
      connect(action, &QAction::triggered, this, [this, text] {
        script::RunProcedure(workshop_, text);
        refreshTree();
      });
    }
  }
}

void MainWindow::showPageFor(QTreeWidgetItem* item) {
  project::TreeItem core = ProjectTreeView::coreItem(item);
  const project::TreeNode* node = workshop_.project.tree().find(core);
  if (!node) {
    page_->clear();
    return;
  }
  int index = workshop_.project.findByTreeItem(core);
  if (index < 0) {
    page_->setText(Utf8(node->text));
    return;
  }
  const project::EntryRecord& entry = workshop_.project.entry(static_cast<size_t>(index));
  if (entry.isFolder()) {
    page_->setText(Utf8(entry.name));
  } else {
    page_->setText(QString::fromUtf8("%1\nFichier: %2\nBase: %3")
                       .arg(Utf8(entry.name), Utf8(entry.file), Utf8(entry.baseFile)));
  }
}

bool MainWindow::runStartEvent() {
  script::EventOutcome outcome = script::RunScriptEvent(workshop_, script::ScriptEvent::Start);
  refreshTree();
  if (outcome.closesProgram()) return false;
  tree_->setFocus();
  return true;
}

void MainWindow::setTreeReactionsSuspended(bool suspended) { treeReactionsSuspended_ = suspended; }

void MainWindow::showMainWindow(bool shown) { setVisible(shown); }

bool MainWindow::saveProject(bool askForName) {
  std::string path = askForName ? std::string() : workshop_.project.document().path;
  return project::SaveProject(workshop_.project, path, &hooks_);
}

void MainWindow::quitWithoutSaving() {
  if (script::RunScriptEvent(workshop_, script::ScriptEvent::Quit).refused()) return;
  quitting_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (quitting_) {
    event->accept();
    return;
  }
  // Closing the window always saves, unless the system script refuses.
  if (script::RunScriptEvent(workshop_, script::ScriptEvent::Quit).refused() ||
      !saveProject(false)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace ui
