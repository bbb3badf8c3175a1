#pragma once

#include "app/work_window.h"

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hm {

// True while the layout window holds the project file open.
extern bool FileIsOpen;

// The first planning step: up to ten rows of bins, each typed as widths separated by commas and
// applied to a row with its ">" button, shown as proportional bars. The window holds the project
// file open while it is shown and writes the record back when it closes.
class Tfm_Layout : public WorkWindow {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 450;
  static constexpr int kDesignHeight = 547;
  static constexpr int kSmallestWidth = 460;
  static constexpr int kSmallestHeight = 545;

  Tfm_Layout();

  void FormCreate();
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormResize() override;
  void ApplyClick(int row);
  void PanelClick(int row);
  void btnCutListClick();
  void AdjustPanels();

  // The length in pixels that the longest row (button and bar) is drawn at.
  float MaxBar = 0.0f;

  QLabel* lbProj = nullptr;
  QLabel* lbProject = nullptr;
  QLineEdit* hVal = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLineEdit* edValues = nullptr;
  std::array<QPushButton*, 10> B{};
  std::array<PanelButton*, 10> P{};
  QWidget* pWarn = nullptr;
  QPushButton* btnCutList = nullptr;

 protected:
  // An activation that cannot open or read the project file closes the window without writing.
  void activate() override;

 private:
  void createRows();
  void setFieldWidths(int width);
  // Set when the project file could not be opened or read: nothing may be written into it.
  bool readFailed_ = false;
};

}  // namespace hm
