#pragma once

#include <QMainWindow>

class QWidget;

namespace hm {

// The project window: the program's main window, alive for the whole run.
class TfmMain : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 500;
  static constexpr int kClientHeight = 255;

  explicit TfmMain(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void centreOnScreen();
  bool centred_ = false;
};

}  // namespace hm
