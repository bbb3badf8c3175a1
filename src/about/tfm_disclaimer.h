#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace hm {

// The Disclaimer window's size as created; it always returns to it.
extern int DEFAULTHIGH;
extern int DEFAULTWIDE;

// A fixed summary of the disclaimer of warranty and liability. Open it modally through
// services().modal, then destroy it.
class Tfm_Disclaimer : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 510;
  static constexpr int kClientHeight = 535;

  explicit Tfm_Disclaimer(QWidget* parent = nullptr);

  // The summary, paragraph by paragraph.
  static QStringList paragraphs();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormResize();
  void FormChangeBounds();
  void Memo1Enter();
  void Memo1Exit();
  void centreOverMainWindow();

  QPlainTextEdit* Memo1 = nullptr;
  bool firstShown_ = false;
  bool entering_ = false;
};

}  // namespace hm
