#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace hm {

// The support request: instructions, the user's description of the error, and the platform
// report, then the support portal opened with a ticket. Its result is kResultOk once the portal
// was opened, kResultCancel otherwise; the caller then treats the logged errors as reported.
class TFmSupport : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;
  static constexpr int kClientWidth = 523;
  static constexpr int kClientHeight = 296;
  static constexpr int kMinWidth = 520;
  static constexpr int kMinHeight = 300;

  explicit TFmSupport(QWidget* parent = nullptr);

  void FormCreate();
  void FormActivate();
  void btnContinueClick();
  void btnDetailClick();
  void btnTicketClick();
  // Closing is always allowed; the answer is the window's result.
  int FormCloseQuery() const;
  void FormResize();
  void GetData();
  // The memos show text only: the one that gets the focus disables itself, and is enabled again
  // once it has lost it.
  void mePlatformEnter();
  void meInstructionsEnter();
  void mePlatformExit();
  void meInstructionsExit();

  // The version text shown in the report, read again at every activation.
  QString ERR_APPVERSION;
  // Set once the portal was opened: the request went out.
  bool GOODRUN = false;

  QPlainTextEdit* meInstructions = nullptr;
  QWidget* pnDetail = nullptr;
  QLabel* lbDetail = nullptr;
  QGroupBox* gbError = nullptr;
  QLabel* lbError = nullptr;
  QLineEdit* edError = nullptr;
  QCheckBox* cbDuplicate = nullptr;
  QGroupBox* gbForm = nullptr;
  QLabel* lbForm = nullptr;
  QLineEdit* edForm = nullptr;
  QLabel* lbNotes = nullptr;
  QPlainTextEdit* meError = nullptr;
  QPlainTextEdit* mePlatform = nullptr;
  QPushButton* btnContinue = nullptr;
  QPushButton* btnDetail = nullptr;
  QPushButton* btnTicket = nullptr;
  QLineEdit* edLogFile = nullptr;

 public Q_SLOTS:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildDetailPage();
  void centreOverMainWindow();

  bool firstShown_ = false;
};

}  // namespace hm
