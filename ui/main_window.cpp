#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project/project_file.h"
#include "script/procedures_menu.h"
#include "script/script_events.h"
#include "app/startup.h"
#include "app/workshop.h"
#include "ui/element_dialogs.h"
#include "ui/element_pages.h"
#include "ui/map_editor_window.h"
#include "ui/project_tree_view.h"
#include "ui/window_texts.h"

#ifndef TESSEL_SOURCE_DIR
#define TESSEL_SOURCE_DIR ""
#endif

namespace ui {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The strip keeps to one line: longer texts end with an ellipsis.
constexpr int kStripTextWidth = 375;
constexpr int kStripElideAbove = 370;

}  // namespace

MainWindow::MainWindow(app::Workshop& workshop, project::SessionHooks& hooks, QWidget* parent)
    : QMainWindow(parent), workshop_(workshop), hooks_(hooks), docSourceDir_(TESSEL_SOURCE_DIR) {
  setWindowTitle(Utf8(texts::kWindowTitle));
  setObjectName(QStringLiteral("mainWindow"));
  setAccessibleName(Utf8(texts::kWindowTitle));

  auto* splitter = new QSplitter(this);
  splitter->setObjectName(QStringLiteral("mainSplitter"));
  splitter->setAccessibleName(QStringLiteral("Séparation de l'arbre et de la page"));
  tree_ = new ProjectTreeView(splitter);
  auto* right = new QWidget(splitter);
  right->setObjectName(QStringLiteral("rightSide"));
  right->setAccessibleName(QStringLiteral("Page de la sélection"));
  auto* rightLayout = new QVBoxLayout(right);
  info_ = new QLabel(right);
  info_->setObjectName(QStringLiteral("infoStrip"));
  info_->setAccessibleName(QStringLiteral("Bande d'information"));
  info_->setStyleSheet(
      QStringLiteral("QLabel#infoStrip { background: #203040; color: white; padding: 2px 6px; }"));
  info_->setTextFormat(Qt::PlainText);
  info_->setMinimumHeight(16 + 4);
  info_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  pageArea_ = new QWidget(right);
  pageArea_->setObjectName(QStringLiteral("pageArea"));
  pageArea_->setAccessibleName(QStringLiteral("Page"));
  pageLayout_ = new QVBoxLayout(pageArea_);
  pageLayout_->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(info_);
  rightLayout->addWidget(pageArea_, 1);
  splitter->addWidget(tree_);
  splitter->addWidget(right);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 540});
  setCentralWidget(splitter);
  resize(760, 460);

  // Esc on a page gives the focus back to the tree (Tab and Shift+Tab move
  // through the tree, the page's controls and back).
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), pageArea_);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, tree_, [this] { tree_->setFocus(); });

  setInfoText(Utf8(texts::kWelcome));
  buildMenus();
  refreshTree();

  // The page follows the selection (not the current item, which the view
  // sets by itself when it first gets the focus).
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (!rebuilding_ && !treeReactionsSuspended_) showPageFor(selectedItem());
  });
  connect(tree_, &ProjectTreeView::openRequested, this, &MainWindow::openItem);
  connect(tree_, &ProjectTreeView::renameRequested, this, &MainWindow::renameItem);
  connect(tree_, &ProjectTreeView::deleteRequested, this, &MainWindow::deleteItem);
  connect(tree_, &ProjectTreeView::labelEdited, this, &MainWindow::labelEdited);
  connect(tree_, &ProjectTreeView::labelEditCancelled, this, &MainWindow::labelEditCancelled);
  connect(tree_, &ProjectTreeView::entryDropped, this, &MainWindow::entryDropped);
  connect(tree_, &ProjectTreeView::contextMenuRequestedFor, this, &MainWindow::showContextMenu);
  workshop_.interpreter.host = this;
  markSaved();
}

MainWindow::~MainWindow() {
  if (workshop_.interpreter.host == this) workshop_.interpreter.host = nullptr;
}

// --- Start ------------------------------------------------------------------

bool MainWindow::runStartEvent() {
  script::EventOutcome outcome = script::RunScriptEvent(workshop_, script::ScriptEvent::Start);
  refreshTree();
  if (outcome.closesProgram()) return false;
  tree_->setFocus();
  return true;
}

bool MainWindow::start() {
  if (!runStartEvent()) {
    quitting_ = true;
    close();
    return false;
  }
  app::FinishInteractiveStart(workshop_);
  setAcceptDrops(true);
  markSaved();
  return true;
}

// --- The strip and the busy state -------------------------------------------

QString MainWindow::infoText() const { return info_->text(); }

void MainWindow::setInfoText(const QString& text) {
  infoFull_ = text;
  QFontMetrics metrics(info_->font());
  QString shown = text;
  if (metrics.horizontalAdvance(text) > kStripElideAbove)
    shown = metrics.elidedText(text, Qt::ElideRight, kStripTextWidth);
  info_->setText(shown);
  info_->setToolTip(shown == text ? QString() : text);
  info_->setAccessibleDescription(text);
}

void MainWindow::setBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0) {
      infoBeforeBusy_ = infoFull_;
      setInfoText(Utf8(texts::kPleaseWait));
      menuBar()->setEnabled(false);
      tree_->setEnabled(false);
      pageArea_->setEnabled(false);
      updateActions();
      info_->repaint();
    }
    return;
  }
  if (busyDepth_ == 0 || --busyDepth_ > 0) return;
  setInfoText(infoBeforeBusy_);
  menuBar()->setEnabled(true);
  tree_->setEnabled(true);
  pageArea_->setEnabled(true);
  updateActions();
}

// --- Menus --------------------------------------------------------------------

QAction* MainWindow::addCommand(QMenu* menu, Command command, const char* text,
                                const char* shortcut) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(command)));
  if (shortcut) {
    action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
  actions_[static_cast<size_t>(command)] = action;
  return action;
}

void MainWindow::buildMenus() {
  // Titles carry a mnemonic (Alt+letter) so that the keyboard reaches every
  // menu; the items keep their texts exactly, shortcuts after the tab.
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
  addCommand(file, Command::New, "Nouveau\t   Ctrl+N", "Ctrl+N");
  addCommand(file, Command::Open, "Ouvrir\t   Ctrl+O", "Ctrl+O");
  addCommand(file, Command::Save, "Enregistrer\t   Ctrl+S", "Ctrl+S");
  addCommand(file, Command::SaveAs, "Enregistrer sous...", nullptr);
  file->addSeparator();
  addCommand(file, Command::Platform, "Plate-forme...", nullptr);
  addCommand(file, Command::Formats, "Formats de fichier...", nullptr);
  file->addSeparator();
  addCommand(file, Command::QuitWithoutSaving, "Quitter sans sauver\t   Ctrl+Q", "Ctrl+Q");

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edition"));
  addCommand(edit, Command::CopyPreview, "Copier l'aperçu\t   Ctrl+C", "Ctrl+C");
  addCommand(edit, Command::ExportPreview, "Exporter (image)\t   Ctrl+X", "Ctrl+X");

  QMenu* view = menuBar()->addMenu(QStringLiteral("&Affichage"));
  addCommand(view, Command::RebuildTree, "Actualiser l'arbre\t   F5", "F5");
  addCommand(view, Command::AddFolder, "Ajouter dossier", nullptr);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Outils"));
  addCommand(tools, Command::ScriptPrompt, "Invite de script\t   Ctrl+I", "Ctrl+I");
  addCommand(tools, Command::CleanProject, "Nettoyer le projet", nullptr);
  addCommand(tools, Command::Options, "Options...", nullptr);

  proceduresMenu_ = menuBar()->addMenu(QString::fromUtf8("&Procédures"));
  proceduresMenu_->setObjectName(QStringLiteral("proceduresMenu"));
  buildProceduresMenu();

  QMenu* help = menuBar()->addMenu(QStringLiteral("A&ide"));
  addCommand(help, Command::Documentation, "Documentation\t   F1", "F1");
  addCommand(help, Command::UserHelp, "Aide perso...\t   F3", "F3");
  addCommand(help, Command::About, "A propos de...", nullptr);

  for (QMenu* menu : {file, edit, view, tools, proceduresMenu_, help})
    menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));
  menuBar()->setAccessibleName(QStringLiteral("Barre de menus"));
  updateActions();
}

void MainWindow::buildProceduresMenu() {
  proceduresMenu_->clear();
  for (const script::ProcedureItem& item :
       script::BuildProceduresMenu(workshop_.paths.scriptPath)) {
    QAction* action = proceduresMenu_->addAction(Utf8(item.text));
    action->setEnabled(item.enabled);
    action->setData(item.command);
    if (item.enabled) {
      std::string text = item.text;
      connect(action, &QAction::triggered, this, [this, text] {
        if (isBusy()) return;
        setBusy(true);
        script::RunProcedure(workshop_, text);
        setBusy(false);
        refreshTree();
      });
    }
  }
}

void MainWindow::updateActions() {
  bool idle = !isBusy();
  for (QAction* action : actions_)
    if (action) action->setEnabled(idle);
  bool preview = idle && page_ && PageHasPreview(page_);
  commandAction(Command::CopyPreview)->setEnabled(preview);
  commandAction(Command::ExportPreview)->setEnabled(preview);
}

void MainWindow::runCommand(Command command) {
  if (isBusy()) return;
  switch (command) {
    case Command::New:
      newProject();
      break;
    case Command::Open:
      openProject();
      break;
    case Command::Save:
      saveProject(false);
      break;
    case Command::SaveAs:
      saveProject(true);
      break;
    case Command::Platform:
      if (ShowPlatformsDialog(this, workshop_)) {
        refreshTree();
        refreshPlatformDisplays();
      }
      break;
    case Command::Formats:
      if (ShowFormatsDialog(this, workshop_)) refreshTree();
      break;
    case Command::QuitWithoutSaving:
      quitWithoutSaving();
      break;
    case Command::CopyPreview:
      if (page_ && PageHasPreview(page_)) CopyPagePreview(page_);
      break;
    case Command::ExportPreview:
      if (page_ && PageHasPreview(page_)) ExportPagePreview(this, page_);
      break;
    case Command::RebuildTree:
      workshop_.project.rebuildTree();
      refreshTree();
      break;
    case Command::AddFolder:
      if (ShowAddFolderDialog(this, workshop_)) refreshTree();
      break;
    case Command::ScriptPrompt:
      runScriptPrompt();
      break;
    case Command::CleanProject:
      workshop_.project.cleanProject();
      refreshTree();
      break;
    case Command::Options:
      showOptions(0);
      break;
    case Command::Documentation:
      showDocumentation();
      break;
    case Command::UserHelp:
      showUserHelp();
      break;
    case Command::About:
      workshop_.services.dialogs.message(texts::kAboutText, texts::kAboutCaption,
                                         platform::Icon::Information);
      break;
  }
}

// --- Tree and pages -------------------------------------------------------------

QTreeWidgetItem* MainWindow::selectedItem() const {
  QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

int MainWindow::entryIndex(QTreeWidgetItem* item) const {
  if (!item) return -1;
  return workshop_.project.findByTreeItem(ProjectTreeView::coreItem(item));
}

MainWindow::SelectionKey MainWindow::selectionKey(QTreeWidgetItem* item) const {
  SelectionKey key;
  if (!item) return key;
  project::TreeItem core = ProjectTreeView::coreItem(item);
  key.category = workshop_.project.tree().categoryOf(core);
  int index = workshop_.project.findByTreeItem(core);
  if (index >= 0) {
    const project::EntryRecord& e = workshop_.project.entry(static_cast<size_t>(index));
    key.isEntry = true;
    key.name = e.name;
    key.kind = e.kind & (project::kKindCodeMask | project::kFolderBit);
  }
  return key;
}

QTreeWidgetItem* MainWindow::findItem(const SelectionKey& key) const {
  const project::Project& p = workshop_.project;
  if (key.category >= 0) return tree_->itemForCore(p.tree().categoryItem(key.category));
  if (!key.isEntry) return nullptr;
  for (const project::EntryRecord& e : p.entries())
    if (e.name == key.name && (e.kind & (project::kKindCodeMask | project::kFolderBit)) == key.kind)
      return tree_->itemForCore(e.treeItem);
  return nullptr;
}

void MainWindow::refreshTree(int selectEntry) {
  SelectionKey key = selectionKey(selectedItem());
  rebuilding_ = true;
  tree_->showTree(workshop_.project.tree());
  QTreeWidgetItem* item = nullptr;
  if (selectEntry >= 0 && static_cast<size_t>(selectEntry) < workshop_.project.count())
    item = tree_->itemForCore(workshop_.project.entry(static_cast<size_t>(selectEntry)).treeItem);
  else
    item = findItem(key);
  if (item) tree_->setCurrentItem(item);
  rebuilding_ = false;
  if (!treeReactionsSuspended_) showPageFor(selectedItem());
}

void MainWindow::setPage(QWidget* page) {
  if (page_) {
    // The old page may be the one whose button led here: it goes once its
    // handler has returned.
    page_->hide();
    pageLayout_->removeWidget(page_);
    page_->deleteLater();
  }
  page_ = page;
  if (page) {
    page->setParent(pageArea_);
    pageLayout_->addWidget(page);
    page->show();
  }
  updateActions();
}

QWidget* MainWindow::textPage(const QString& text, const QString& accessibleName) {
  auto* label = new QLabel(text, pageArea_);
  label->setObjectName(QStringLiteral("textPage"));
  label->setAccessibleName(accessibleName);
  label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  label->setFocusPolicy(Qt::StrongFocus);
  label->setMargin(8);
  return label;
}

QWidget* MainWindow::entryInformationPage(int index) {
  const project::Project& p = workshop_.project;
  const project::EntryRecord& e = p.entry(static_cast<size_t>(index));
  QString place = e.inFolder() ? Utf8(e.folder) : QStringLiteral("racine");
  if (e.isFolder()) {
    int members = 0;
    for (const project::EntryRecord& m : p.entries())
      if (m.inFolder() && m.folder == e.name) ++members;
    return textPage(QString::fromUtf8("Dossier: %1\nPlacé dans: %2\nEntrées: %3")
                        .arg(Utf8(e.name), place)
                        .arg(members),
                    QStringLiteral("Informations sur le dossier"));
  }
  QString kind = Utf8(project::KindKeyword(e.kindCode()));
  QString file = Utf8(e.file);
  QString state = QFileInfo::exists(QString::fromStdString(platform::ToNative(e.file)))
                      ? QString()
                      : QStringLiteral(" (absent)");
  return textPage(QString::fromUtf8("Elément: %1\nType: %2\nFichier: %3%4\nFichier base: %5\n"
                                    "Dossier: %6")
                      .arg(Utf8(e.name), kind, file, state, Utf8(e.baseFile),
                           e.inFolder() ? Utf8(e.folder) : QStringLiteral("(par défaut)")),
                  QStringLiteral("Informations sur l'élément"));
}

void MainWindow::showPageFor(QTreeWidgetItem* item) {
  if (!item) {
    setPage(nullptr);
    return;
  }
  project::TreeItem core = ProjectTreeView::coreItem(item);
  const project::Project& p = workshop_.project;
  const project::TreeNode* node = p.tree().find(core);
  if (!node) {
    setPage(textPage(Utf8(texts::kInternalError), Utf8(texts::kInternalError)));
    return;
  }
  int category = p.tree().categoryOf(core);
  if (category >= 0) {
    setInfoText(Utf8(node->text));
    QWidget* page = CreateCategoryPage(pageArea_, workshop_, *this, category);
    if (!page && project::kCategories[static_cast<size_t>(category)].kind == project::kKindPalette)
      page = textPage(Utf8(texts::kPalettesPage), Utf8(node->text));
    if (!page) page = textPage(Utf8(texts::kInternalError), Utf8(texts::kInternalError));
    setPage(page);
    return;
  }
  int index = p.findByTreeItem(core);
  if (index < 0) {
    setPage(textPage(Utf8(texts::kInternalError), Utf8(texts::kInternalError)));
    return;
  }
  const project::EntryRecord& e = p.entry(static_cast<size_t>(index));
  if (e.isFolder()) {
    setInfoText(QString::fromUtf8("Dossier %1").arg(Utf8(e.name)));
    setPage(entryInformationPage(index));
    return;
  }
  setInfoText(QStringLiteral("%1 - %2").arg(Utf8(e.name), Utf8(e.file)));
  QWidget* page = CreateElementPage(pageArea_, workshop_, *this, index);
  if (!page) {
    int hasCategory = project::CategoryOfKind(e.kindCode());
    page = hasCategory >= 0 ? entryInformationPage(index)
                            : textPage(Utf8(texts::kInternalError), Utf8(texts::kInternalError));
  }
  setPage(page);
}

void MainWindow::openMapEditor(int entryIndex) {
  if (entryIndex < 0 || static_cast<size_t>(entryIndex) >= workshop_.project.count()) return;
  OpenMapEditor(this, workshop_, entryIndex);
  refreshTree();
}

void MainWindow::showOptions(int page) {
  if (ShowOptionsDialog(this, workshop_, page)) refreshTree();
}

void MainWindow::setTreeReactionsSuspended(bool suspended) { treeReactionsSuspended_ = suspended; }

void MainWindow::showMainWindow(bool shown) { setVisible(shown); }

void MainWindow::refreshPlatformDisplays() {
  if (!rebuilding_ && !treeReactionsSuspended_) showPageFor(selectedItem());
}

// --- Closing and dropped files -------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
  if (quitting_) {
    setAcceptDrops(false);
    event->accept();
    return;
  }
  // Closing the window always saves, unless an operation runs or the system
  // script refuses; cancelling the save dialog keeps the window open.
  if (isBusy() || script::RunScriptEvent(workshop_, script::ScriptEvent::Quit).refused() ||
      !saveProject(false)) {
    event->ignore();
    return;
  }
  setAcceptDrops(false);
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!isBusy() && event->mimeData()->hasUrls()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return;
  }
  event->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!isBusy() && event->mimeData()->hasUrls()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return;
  }
  event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (isBusy() || !event->mimeData()->hasUrls()) {
    event->ignore();
    return;
  }
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  event->setDropAction(Qt::CopyAction);
  event->accept();
  addDroppedFiles(paths);
}

}  // namespace ui
