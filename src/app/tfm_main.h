#pragma once

#include "window_common.h"

#include <QStringList>
#include "program_window.h"

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace hm {

// The project window: the program's main window, alive for the whole run. Here the user chooses
// the data folder, picks, creates and deletes projects and opens one in the layout window.
class TfmMain : public ProgramWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 500;
  static constexpr int kClientHeight = 255;

  // Names that Windows reserves for devices; a project may not be called so in any letter case.
  static const QStringList INVALIDNAMES;

  explicit TfmMain(QWidget* parent = nullptr);

  // Window events.
  void FormCreate();
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormResize() override;

  // Commands.
  void LoadProjects();
  void ddProjectsSelect();
  void btnOpenClick();
  void btnRefreshClick();
  void btnNewProjectClick();
  void btnDeleteProjClick();
  void miFolderClick();
  void miExitClick();
  void miShowClick();
  void miHideClick();
  void miAboutClick();
  void miAskUpdateClick();
  void miUpdateClick();
  void miSupportClick();
  // Offers to report the errors of the log; on Yes runs the support request.
  void InformUser();
  void Status0Click();
  void Status1Click();
  void StatusEnter(QWidget* cell);
  void StatusExit(QWidget* cell);
  void AdjustStatusBar();
  // Whether a typed character may go into a new project name; sounds the beep when not.
  bool edNewProjKeyPress(const QString& character);

  // The controls, under their own names.
  QWidget* pnFolder = nullptr;
  QLabel* lbHead = nullptr;
  QLabel* lbSee = nullptr;
  QWidget* pnReady = nullptr;
  QLabel* lbFolder = nullptr;
  DisplayField* edPath = nullptr;
  QLabel* lbProjects = nullptr;
  PanelButton* btnRefresh = nullptr;
  QComboBox* ddProjects = nullptr;
  QPushButton* btnOpen = nullptr;
  PanelButton* btnDeleteProj = nullptr;
  QLabel* lbNewProj = nullptr;
  QLineEdit* edNewProj = nullptr;
  PanelButton* btnNewProject = nullptr;
  StatusBar status;
  QAction* miFolder = nullptr;
  QAction* miExit = nullptr;
  QMenu* miHints = nullptr;
  QAction* miShow = nullptr;
  QAction* miHide = nullptr;
  QAction* miAskUpdate = nullptr;
  QAction* miAbout = nullptr;
  QAction* miSupport = nullptr;
  // At the right end of the menu bar; its caption announces an available update.
  QAction* miUpdate = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls(QWidget* client);
  void buildMenu();
  // The name typed or picked in the project list, when it is one of the listed projects.
  bool listedProjectSelected() const;
  void setOpenCaption(const QString& name);
  // Shows a window of the program modally and activates this window again once it has closed.
  void runChild(QWidget& child);
  // The same, with `closed` run between the child's end (given its result) and the activation.
  // When running the child fails, `closed` gets nothing instead and deals with it.
  void runChild(QWidget& child, const std::function<void(std::optional<int>)>& closed);

  QWidget* client_ = nullptr;
  // Counts activations, so that one which ran inside another (after a window opened from the
  // unreported-errors prompt) can tell the outer one that it is done already.
  int activations_ = 0;
};

}  // namespace hm
