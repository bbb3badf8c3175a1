#include "tfm_main.h"

#include "about/tfm_about.h"
#include "about/tfm_disclaimer.h"
#include "app_version.h"
#include "build_settings.h"
#include "com_state.h"
#include "folder_listing.h"
#include "layout/tfm_layout.h"
#include "platform/guard.h"
#include "platform/services.h"
#include "project_file.h"
#include "settings_store.h"
#include "support/error_log.h"
#include "support/tfm_support.h"
#include "update/tfm_update.h"
#include "update/update_check.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QToolButton>

namespace hm {
namespace {

const QColor kDeleteColour(255, 208, 206);
const QColor kCreateColour(177, 222, 187);

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setFont(boldFont(l));
  l->adjustSize();
  l->move(x, y);
  return l;
}

}  // namespace

const QStringList TfmMain::INVALIDNAMES = {
    QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),  QStringLiteral("NUL"),
    QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4"),
    QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
    QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("LPT3"),
    QStringLiteral("LPT4"), QStringLiteral("LPT5"), QStringLiteral("LPT6"), QStringLiteral("LPT7"),
    QStringLiteral("LPT8"), QStringLiteral("LPT9")};

TfmMain::TfmMain(QWidget* parent) : ProgramWindow(parent) {
  setObjectName(QStringLiteral("fmMain"));
  setWindowTitle(QStringLiteral("Hollowmere - Project Identification"));
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  buildControls(client_);
  buildMenu();
  guarded([this] { FormCreate(); });
}

void TfmMain::buildControls(QWidget* client) {
  const int panelHeight = kClientHeight - kStatusBarHeight;

  pnFolder = new QWidget(client);
  pnFolder->setObjectName(QStringLiteral("pnFolder"));
  pnFolder->setGeometry(0, 0, kClientWidth, panelHeight);
  pnFolder->setAutoFillBackground(true);
  QPalette silver = pnFolder->palette();
  silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  pnFolder->setPalette(silver);
  lbHead = new QLabel(QStringLiteral("Please Provide Data Folder Location"), pnFolder);
  lbHead->setObjectName(QStringLiteral("lbHead"));
  lbHead->setGeometry(0, 110, kClientWidth, 24);
  lbHead->setAlignment(Qt::AlignCenter);
  QFont head = boldFont(lbHead);
  head.setPixelSize(19);
  lbHead->setFont(head);
  QPalette red = lbHead->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  lbHead->setPalette(red);
  lbSee = new QLabel(QStringLiteral("See: File -> Data Folder Location"), pnFolder);
  lbSee->setObjectName(QStringLiteral("lbSee"));
  lbSee->setGeometry(0, 145, kClientWidth, 20);
  lbSee->setAlignment(Qt::AlignCenter);
  QFont see = boldFont(lbSee);
  see.setPixelSize(16);
  lbSee->setFont(see);

  pnReady = new QWidget(client);
  pnReady->setObjectName(QStringLiteral("pnReady"));
  pnReady->setGeometry(0, 0, kClientWidth, panelHeight);
  pnReady->setAutoFillBackground(true);

  lbFolder = label(pnReady, "lbFolder", QStringLiteral("Data Folder Location"), 18, 15);
  edPath = new DisplayField(pnReady);
  edPath->setObjectName(QStringLiteral("edPath"));
  edPath->setGeometry(18, 35, 460, 23);
  setHint(edPath, QStringLiteral("Data Folder Location (information only)\r\n\r\nTo change, use "
                                 "File -> Data Folder Location"));
  connect(edPath, &DisplayField::entered, this, [this] { StatusEnter(edPath); });
  connect(edPath, &DisplayField::left, this, [this] { StatusExit(edPath); });

  lbProjects = label(pnReady, "lbProjects", QStringLiteral("Projects Available"), 18, 70);
  ddProjects = new QComboBox(pnReady);
  ddProjects->setObjectName(QStringLiteral("ddProjects"));
  ddProjects->setEditable(true);
  ddProjects->setInsertPolicy(QComboBox::NoInsert);
  ddProjects->setDuplicatesEnabled(true);
  ddProjects->setGeometry(18, 88, 460, 23);
  setHint(ddProjects, QStringLiteral("Current Project or click the Down-Arrow to select another"));
  connect(ddProjects, &QComboBox::activated, this,
          [this] { guarded([this] { ddProjectsSelect(); }); });

  btnRefresh =
      new PanelButton(QStringLiteral("Refresh"), palette().color(QPalette::Button), pnReady);
  btnRefresh->setObjectName(QStringLiteral("btnRefresh"));
  btnRefresh->setGeometry(403, 63, 75, 25);
  setHint(btnRefresh, QStringLiteral("Refresh the list of Available Projects"));
  connect(btnRefresh, &PanelButton::clicked, this,
          [this] { guarded([this] { btnRefreshClick(); }); });

  btnOpen = new QPushButton(QStringLiteral("Open () Project"), pnReady);
  btnOpen->setObjectName(QStringLiteral("btnOpen"));
  btnOpen->setGeometry(18, 125, 460, 25);
  setHint(btnOpen, QStringLiteral("Click to open this Project"));
  connect(btnOpen, &QPushButton::clicked, this, [this] { guarded([this] { btnOpenClick(); }); });

  btnDeleteProj = new PanelButton(QStringLiteral("Delete"), kDeleteColour, pnReady);
  btnDeleteProj->setObjectName(QStringLiteral("btnDeleteProj"));
  btnDeleteProj->setGeometry(403, 125, 75, 25);
  btnDeleteProj->raise();
  setHint(btnDeleteProj, QStringLiteral("Delete the (current) Project"));
  connect(btnDeleteProj, &PanelButton::clicked, this,
          [this] { guarded([this] { btnDeleteProjClick(); }); });

  lbNewProj = label(pnReady, "lbNewProj", QStringLiteral("Create a New Project (name)"), 18, 168);
  edNewProj = new QLineEdit(pnReady);
  edNewProj->setObjectName(QStringLiteral("edNewProj"));
  edNewProj->setGeometry(18, 186, 460, 23);
  setHint(edNewProj, QStringLiteral("Enter a Project Name and then click CREATE"));
  edNewProj->installEventFilter(this);

  btnNewProject = new PanelButton(QStringLiteral("Create"), kCreateColour, pnReady);
  btnNewProject->setObjectName(QStringLiteral("btnNewProject"));
  btnNewProject->setGeometry(403, 185, 75, 25);
  btnNewProject->raise();
  setHint(btnNewProject, QStringLiteral("Create the New Project now."));
  connect(btnNewProject, &PanelButton::clicked, this,
          [this] { guarded([this] { btnNewProjectClick(); }); });

  status = makeStatusBar(client, QStringLiteral("myStatusBar"));
  connectStatusBar(this, status);
}

void TfmMain::buildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  miFolder = file->addAction(QStringLiteral("Data Folder Location"));
  miFolder->setObjectName(QStringLiteral("miFolder"));
  connect(miFolder, &QAction::triggered, this, [this] { guarded([this] { miFolderClick(); }); });
  miExit = file->addAction(QStringLiteral("Exit"));
  miExit->setObjectName(QStringLiteral("miExit"));
  connect(miExit, &QAction::triggered, this, [this] { guarded([this] { miExitClick(); }); });

  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("Help1"));
  miHints = help->addMenu(QStringLiteral("Hints"));
  miHints->setObjectName(QStringLiteral("miHints"));
  miShow = miHints->addAction(QStringLiteral("Show"));
  miShow->setObjectName(QStringLiteral("miShow"));
  miShow->setCheckable(true);
  connect(miShow, &QAction::triggered, this, [this] { guarded([this] { miShowClick(); }); });
  miHide = miHints->addAction(QStringLiteral("Hide"));
  miHide->setObjectName(QStringLiteral("miHide"));
  miHide->setCheckable(true);
  connect(miHide, &QAction::triggered, this, [this] { guarded([this] { miHideClick(); }); });
  miAskUpdate = help->addAction(QStringLiteral("Check for Updates"));
  miAskUpdate->setObjectName(QStringLiteral("miAskUpdate"));
  connect(miAskUpdate, &QAction::triggered, this,
          [this] { guarded([this] { miAskUpdateClick(); }); });
  miAbout = help->addAction(QStringLiteral("About"));
  miAbout->setObjectName(QStringLiteral("miAbout"));
  connect(miAbout, &QAction::triggered, this, [this] { guarded([this] { miAboutClick(); }); });
  miSupport = help->addAction(QStringLiteral("Support"));
  miSupport->setObjectName(QStringLiteral("miSupport"));
  connect(miSupport, &QAction::triggered, this, [this] { guarded([this] { miSupportClick(); }); });

  // Qt's menu bar keeps its items at the left; the right end is the corner widget's place.
  miUpdate = new QAction(this);
  miUpdate->setObjectName(QStringLiteral("miUpdate"));
  connect(miUpdate, &QAction::triggered, this, [this] { guarded([this] { miUpdateClick(); }); });
  auto* updateButton = new QToolButton(bar);
  updateButton->setObjectName(QStringLiteral("miUpdateButton"));
  updateButton->setDefaultAction(miUpdate);
  updateButton->setAutoRaise(true);
  updateButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  updateButton->setFocusPolicy(Qt::NoFocus);
  bar->setCornerWidget(updateButton, Qt::TopRightCorner);
  // The bar places its corner widget only when it is resized; a new caption needs a new place.
  connect(miUpdate, &QAction::changed, bar, [bar, updateButton] {
    updateButton->adjustSize();
    QResizeEvent again(bar->size(), bar->size());
    QCoreApplication::sendEvent(bar, &again);
  });
}

void TfmMain::FormCreate() {
  COM_APPVERSION = GetAppVersion();
  COM_APPNAME = QCoreApplication::applicationName();
  setHint(status.Status2, COM_APPVERSION);
  AdjustStatusBar();
  pnFolder->raise();
  DefineErrLog();
  setHintDisplay(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true));
  SetHints(miShow, miHide, hintDisplay());
}

void TfmMain::FormActivate() {
  const int activation = ++activations_;
  SetHints(miShow, miHide, hintDisplay());
  COM_PATH = GetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QString());
  edPath->setText(COM_PATH);
  if (COM_PATH.isEmpty()) {
    pnFolder->raise();
    return;
  }
  ERRFILENAME = COM_PATH + QDir::separator() + COM_APPNAME + QStringLiteral(".log");
  LoadProjects();
  pnReady->raise();
  if (OpenErrLog()) {
    InformUser();
    // A support window opened from the prompt has activated this window again, all the way
    // through; going on would check for updates a second time.
    if (activations_ != activation) return;
  }
  if (InitAll(miUpdate)) FindUpdate(miUpdate);
}

bool TfmMain::FormCloseQuery() {
  CloseErrLog();
  // The program must be able to end even when its settings cannot be written: report, then close.
  guarded([] { SetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), hintDisplay()); });
  return true;
}

void TfmMain::FormResize() {
  client_->setFixedSize(kClientWidth, kClientHeight);
  AdjustStatusBar();
}

void TfmMain::AdjustStatusBar() { layoutStatusBar(status, client_->width(), client_->height()); }

void TfmMain::setOpenCaption(const QString& name) {
  btnOpen->setText(name.isNull() ? QStringLiteral("Open () Project")
                                 : QStringLiteral("Open Project (") + name + QLatin1Char(')'));
}

void TfmMain::LoadProjects() {
  ddProjects->setEditText(QString());
  if (COM_PATH.trimmed().isEmpty() || !QFileInfo(COM_PATH).isDir()) {
    pnFolder->raise();
    return;
  }
  QStringList names;
  GetFileList(COM_PATH, QStringLiteral("*.dat"), names, true);
  ddProjects->clear();
  ddProjects->addItems(names);
  if (names.isEmpty()) {
    services().dialogs->message(QStringLiteral("Create your first Projet"));
    ddProjects->setCurrentIndex(-1);
    ddProjects->setEditText(QString());
    setOpenCaption(QString());
    return;
  }
  edNewProj->clear();
  ddProjects->setCurrentIndex(0);
  setOpenCaption(names.first());
}

void TfmMain::ddProjectsSelect() {
  COM_PRJNAME = ddProjects->currentText();
  COM_PRJFILE = projectFilePath(COM_PATH, COM_PRJNAME);
  setOpenCaption(COM_PRJNAME);
  edNewProj->clear();
}

bool TfmMain::listedProjectSelected() const {
  // Only a listed project counts: a typed name such as ../x must never reach a file outside the
  // data folder.
  const QString name = ddProjects->currentText();
  return !name.trimmed().isEmpty() &&
         ddProjects->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
}

void TfmMain::btnOpenClick() {
  if (!listedProjectSelected()) {
    services().dialogs->message(QStringLiteral("Please select or create a Project first"));
    ddProjects->setFocus();
    return;
  }
  COM_PRJNAME = ddProjects->currentText();
  COM_PRJFILE = projectFilePath(COM_PATH, COM_PRJNAME);
  {
    Tfm_Layout layout;
    runChild(layout);
  }
  SetHints(miShow, miHide, hintDisplay());
}

void TfmMain::btnRefreshClick() {
  LoadProjects();
  ddProjects->setFocus();
}

bool TfmMain::edNewProjKeyPress(const QString& character) {
  if (character.size() == 1 && COM_FILECHARS.contains(character[0])) return true;
  services().dialogs->beep();
  return false;
}

void TfmMain::btnNewProjectClick() {
  const QString name = edNewProj->text();
  const bool onlyFileChars =
      std::all_of(name.begin(), name.end(), [](QChar c) { return COM_FILECHARS.contains(c); });
  // Pasted text escapes the key filter; a name must still be a plain file name in the data folder.
  if (name.trimmed().isEmpty() || !onlyFileChars) {
    services().dialogs->message(QStringLiteral("Invalid Project Name"));
    edNewProj->setFocus();
    return;
  }
  const QString upper = name.toUpper();
  for (const QString& reserved : INVALIDNAMES) {
    if (upper == reserved) {
      services().dialogs->message(QStringLiteral("Reserved Name!"));
      edNewProj->setFocus();
      return;
    }
  }
  COM_PRJFILE = projectFilePath(COM_PATH, name);
  if (QFileInfo::exists(COM_PRJFILE)) {
    services().dialogs->message(QStringLiteral("This Project already exists"));
    edNewProj->setFocus();
    return;
  }
  BlankRecord(COM_BINDATA);
  COM_BINFILE.create(COM_PRJFILE, COM_BINDATA);
  services().dialogs->message(QStringLiteral("Created the new project:\r\n") + COM_PRJFILE);
  const QString SaveNewName = name;
  LoadProjects();
  const int index = ddProjects->findText(SaveNewName, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) {
    ddProjects->setCurrentIndex(index);
    setOpenCaption(ddProjects->itemText(index));
  }
}

void TfmMain::btnDeleteProjClick() {
  if (!listedProjectSelected()) {
    services().dialogs->message(QStringLiteral("Please Select a Project"));
    ddProjects->setFocus();
    return;
  }
  const QString name = ddProjects->currentText();
  if (services().dialogs->confirm(QStringLiteral("Really delete ") + name +
                                  QStringLiteral(" Project?"))) {
    if (ProjectFile::remove(projectFilePath(COM_PATH, name))) {
      LoadProjects();
    } else {
      services().dialogs->message(QStringLiteral("Unable to delete ") + name);
    }
    return;
  }
  services().dialogs->message(name + QStringLiteral(" Project retained."));
  LoadProjects();
}

void TfmMain::miFolderClick() {
  const std::optional<QString> chosen = services().dialogs->chooseFolder(COM_PATH);
  if (!chosen) {
    if (COM_PATH.isEmpty()) pnFolder->raise();
    return;
  }
  COM_PATH = *chosen;
  edPath->setText(COM_PATH);
  SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), COM_PATH);
  ERRFILENAME = COM_PATH + QDir::separator() + COM_APPNAME + QStringLiteral(".log");
  const int activation = activations_;
  if (OpenErrLog()) {
    InformUser();
    // The support window's close activated this window, which loaded the new folder already.
    if (activations_ != activation) return;
  }
  // InitAll has warned the user when it fails; the list is then left as it was.
  if (InitAll(miUpdate)) {
    LoadProjects();
    pnReady->raise();
  }
}

void TfmMain::miExitClick() { close(); }

void TfmMain::miShowClick() { SetHints(miShow, miHide, true); }

void TfmMain::miHideClick() { SetHints(miShow, miHide, false); }

void TfmMain::runChild(QWidget& child) {
  services().modal->run(child);
  FormActivate();
}

void TfmMain::runChild(QWidget& child, const std::function<void(std::optional<int>)>& closed) {
  std::optional<int> result;
  try {
    result = services().modal->run(child);
  } catch (...) {
    result.reset();
  }
  closed(result);
  FormActivate();
}

void TfmMain::InformUser() {
  const int answer = services().dialogs->question(
      QStringLiteral("Error Log has unreported errors."),
      QStringLiteral("Report these errors now?"),
      {QStringLiteral("Yes, Request Support"), QStringLiteral("No, not at this time")}, 0);
  if (answer != 0) return;  // No, or closed: asked again at the next reading of the log
  TFmSupport fmSupport;
  // A failure of the support window here is dropped: the user asked for nothing.
  runChild(fmSupport, [](std::optional<int> result) {
    if (result == TFmSupport::kResultOk) ClearErrLog();
  });
}

void TfmMain::miSupportClick() {
  TFmSupport fmSupport;
  runChild(fmSupport, [](std::optional<int> result) {
    if (!result) {
      services().dialogs->message(QStringLiteral("Support Call Failed - lease try later"));
    } else if (*result == TFmSupport::kResultOk) {
      ClearErrLog();
    }
  });
}

void TfmMain::miAskUpdateClick() {
  if (updateUrl().isEmpty()) {
    services().dialogs->message(
        QStringLiteral("No update source is set for this copy of Hollowmere"));
    return;
  }
  // A failure has been reported already; the user then hears "current" as well.
  if (InitAll(miUpdate) && !FindUpdate(miUpdate)) {
    services().dialogs->message(QStringLiteral("Application is current"));
  }
}

void TfmMain::miUpdateClick() {
  if (miUpdate->text() != kUpdateAvailable) {
    services().dialogs->message(QStringLiteral("Unknown Menu State"));
    return;
  }
  TfmUpdate fmUpdate;
  runChild(fmUpdate);
}

void TfmMain::miAboutClick() {
  REPLACEMENTDATA = COM_APP_DESC;
  THISCOPYRIGHT = COM_COPYRIGHT;
  Tfm_About about;
  runChild(about);
  SetHints(miShow, miHide, hintDisplay());
}

void TfmMain::Status0Click() {
  // The project window names the page after the application title and does not look at the answer.
  services().shell->openUrl(eulaAddress(COM_APPNAME));
}

void TfmMain::Status1Click() {
  Tfm_Disclaimer disclaimer;
  runChild(disclaimer);
}

void TfmMain::StatusEnter(QWidget* cell) { cell->setEnabled(false); }

void TfmMain::StatusExit(QWidget* cell) { cell->setEnabled(true); }

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edNewProj && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab moves on and Delete is a key, not a character; everything typed is filtered,
    // Backspace and other control characters included.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->key() == Qt::Key_Delete || key->text().isEmpty()) {
      return false;
    }
    bool accepted = true;
    guarded([&] { accepted = edNewProjKeyPress(key->text()); });
    return !accepted;
  }
  return ProgramWindow::eventFilter(watched, event);
}

}  // namespace hm
