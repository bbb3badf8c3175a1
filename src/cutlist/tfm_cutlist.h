#pragma once

#include "app/work_window.h"
#include "cutlist/cut_lists.h"

#include <QList>
#include <QString>

#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace hm {

// The second planning step: the detailed specification of the bins, the "Bins Required" summary of
// the layout, and the cutting lists. It edits the project record in memory (COM_BINDATA) and
// writes it into the project file that the layout window holds open: after every calculation, and
// on closing while the indicator around the button says the record has changed.
class Tfm_CutList : public WorkWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 645;
  static constexpr int kClientHeight = 565;

  Tfm_CutList();
  ~Tfm_CutList() override;

  // Window events.
  void FormCreate();
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormResize() override;

  // Copies the eight specification texts of the record into their edits.
  void ShowSpecs();

  // Leaving a specification edit: check the entry and store it in the record.
  void edBinHighExit();
  void edBinDeepExit();
  void edBinThkExit();
  void edDivThkExit();
  void edBatThkExit();
  void edBinMatExit();
  void edDivMatExit();
  void edBatMatExit();

  // Checks the whole specification before a calculation; on a failure tells the user and puts the
  // focus on the edit concerned.
  bool EditsPass();
  void btnDoCalcsClick();

  // The result controls never keep the focus, so they cannot be typed into.
  void EditEnter(QWidget* sender, Qt::FocusReason reason);
  void EditExit(QWidget* sender);
  void MemoEnter(QWidget* sender, Qt::FocusReason reason);
  void MemoExit(QWidget* sender);

  // Whether the record has changed since the lists were last computed and written (red), or not
  // (green).
  bool recordChanged() const { return changed_; }

  // The controls, under their own names.
  QLabel* lbProj = nullptr;
  QLabel* lbProject = nullptr;
  QFrame* pnOrder = nullptr;
  QLabel* lbBins = nullptr;
  QLabel* lbQty = nullptr;
  QLabel* lbWidth = nullptr;
  QPlainTextEdit* meQty = nullptr;
  QPlainTextEdit* meWidth = nullptr;
  QFrame* pnSpecs = nullptr;
  QLabel* lbDetCaption = nullptr;
  QLabel* lbDetBinDim = nullptr;
  QLabel* lbDetBinHigh = nullptr;
  QLineEdit* edBinHigh = nullptr;
  QLabel* lbDetBinDeep = nullptr;
  QLineEdit* edBinDeep = nullptr;
  QLabel* lbDetBinCon = nullptr;
  QLabel* lbDetBinMat = nullptr;
  QLineEdit* edBinMat = nullptr;
  QLabel* lbDetBinThick = nullptr;
  QLineEdit* edBinThk = nullptr;
  QLabel* lbDetDivCon = nullptr;
  QLabel* lbDetDivMat = nullptr;
  QLineEdit* edDivMat = nullptr;
  QLabel* lbDetDivThick = nullptr;
  QLineEdit* edDivThk = nullptr;
  QLabel* lbDetBatCon = nullptr;
  QLabel* lbDetBatMat = nullptr;
  QLineEdit* edBatMat = nullptr;
  QLabel* lbDetBatThick = nullptr;
  QLineEdit* edBatThk = nullptr;
  QFrame* pnWarn = nullptr;
  QPushButton* btnDoCalcs = nullptr;
  QFrame* pnCutList = nullptr;
  QLabel* lbSide = nullptr;
  QLineEdit* edSide = nullptr;
  QLabel* lbFront = nullptr;
  QPlainTextEdit* meFront = nullptr;
  QLabel* lbBack = nullptr;
  QPlainTextEdit* meBack = nullptr;
  QLabel* lbBase = nullptr;
  QPlainTextEdit* meBase = nullptr;
  QLabel* lbDivider = nullptr;
  QPlainTextEdit* meDivider = nullptr;
  QLabel* lbBatMat = nullptr;
  QLineEdit* edBatStock = nullptr;
  QLabel* lbBattenW = nullptr;
  QLineEdit* edBattenW = nullptr;
  QLabel* lbBattenB = nullptr;
  QPlainTextEdit* meBattenB = nullptr;
  QListWidget* lsSort = nullptr;

 private:
  // A specification edit and the handler that checks and stores its entry when it is left.
  struct SpecEntry {
    QLineEdit* edit;
    void (Tfm_CutList::*exit)();
  };

  void buildControls(QWidget* client);
  void buildTabOrder();
  QLineEdit* specEdit(QWidget* parent, const char* name, const QRect& place, const QString& hint);
  QLineEdit* resultEdit(QWidget* parent, const char* name, const QRect& place);
  QPlainTextEdit* resultMemo(QWidget* parent, const char* name, const QRect& place);

  void measurementExit(QLineEdit* edit, std::string COM_BINREC::*field, bool zeroRefused);
  void materialExit(QLineEdit* edit, std::string COM_BINREC::*field);
  void storeEntry(const QString& entry, std::string COM_BINREC::*field, std::size_t room);
  BinSpecs currentSpecs() const;
  void setChanged(bool changed);

  // Focus bookkeeping of the eight entry edits. `pending_` is the edit the user is in, whose
  // entry has not been checked yet; leaving it runs its exit handler exactly once.
  void specEntered(QLineEdit* edit, Qt::FocusReason reason);
  void specLeft(QLineEdit* edit, Qt::FocusReason reason);
  void runExit(QLineEdit* edit);
  // Runs the exit handler of a pending entry before a calculation or closing, as leaving the
  // edit for the button would; the focus then stays on the button unless the handler refused the
  // entry and gave the focus back.
  void commitPendingEntry();
  // Gives the focus to a specification edit whose entry the user must see to again.
  void focusEdit(QLineEdit* edit);
  // Moves the focus off a result control and leaves it enabled again.
  void passOn(QWidget* control, Qt::FocusReason reason);

  QList<SpecEntry> specs_;
  BinsRequired bins_;  // the "Bins Required" list on show in meQty and meWidth
  bool changed_ = true;
  QLineEdit* pending_ = nullptr;
  QList<QWidget*> passingOn_;
};

}  // namespace hm
