#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace hm {

// Asks before an announced update is installed: updating stops the program. "Update Now"
// downloads the installer, starts it and ends the program; "No, Do not Update" just closes.
class TfmUpdate : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kResultCancel = 2;
  static constexpr int kClientWidth = 430;
  static constexpr int kClientHeight = 260;
  static const QColor kSkyBlue;

  explicit TfmUpdate(QWidget* parent = nullptr);

  void FormActivate();
  void btnCancelClick();
  void btnUpdateClick();
  // Shows the progress, downloads and starts the installer, and ends the program. Only when the
  // downloaded installer cannot be started does the program go on, after telling the user.
  void UpdateNow();

  QLabel* pnMessage = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* btnUpdate = nullptr;
  QPushButton* btnCancel = nullptr;

 public Q_SLOTS:
  // The title-bar button and Escape answer as "No, Do not Update" does.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool firstShown_ = false;
};

}  // namespace hm
