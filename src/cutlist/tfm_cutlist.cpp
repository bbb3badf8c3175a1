#include "tfm_cutlist.h"

#include "app/com_state.h"
#include "cutlist/battens.h"
#include "cutlist/entry_checks.h"
#include "measure/edit_tape.h"
#include "platform/guard.h"
#include "platform/services.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

namespace hm {
namespace {

const QColor kChanged(255, 0, 0);
const QColor kWritten(0, 255, 0);
const QColor kProjectBackground(255, 255, 0);

// The window's font. The places of the controls leave 31 pixels for the two-line captions of the
// lists and little room in front of each edit, so the text is a little smaller than 16 pixels
// from line to line.
constexpr int kFontPixels = 13;

// A control that tells the window when it gets or loses the focus, and why.
template <class Base>
class FocusReporting : public Base {
 public:
  using Base::Base;
  std::function<void(Qt::FocusReason)> onEnter;
  std::function<void(Qt::FocusReason)> onLeave;

 protected:
  void focusInEvent(QFocusEvent* event) override {
    Base::focusInEvent(event);
    if (onEnter) onEnter(event->reason());
  }
  void focusOutEvent(QFocusEvent* event) override {
    Base::focusOutEvent(event);
    if (onLeave) onLeave(event->reason());
  }
};

using ReportingEdit = FocusReporting<QLineEdit>;
using ReportingMemo = FocusReporting<QPlainTextEdit>;

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
              bool bold = false) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  if (bold) l->setFont(boldFont(l));
  l->adjustSize();
  l->move(x, y);
  return l;
}

// A caption in front of its edit, right-aligned so that it ends just before the edit whatever the
// width of the font.
QLabel* editCaption(QWidget* parent, const char* name, const QString& text, int x, int y,
                    const QLineEdit* edit) {
  QLabel* l = label(parent, name, text, x, y);
  const int right = edit->x() - 4;
  const int width = std::max(right - x, l->width());
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setGeometry(right - width, y, width, l->height());
  return l;
}

// A heading to the left of an edit caption moves left where it would run into that caption.
void keepClearOf(QLabel* heading, const QLabel* caption) {
  const int room = caption->x() - 6 - heading->width();
  if (heading->x() > room) heading->move(std::max(2, room), heading->y());
}

QFrame* panel(QWidget* parent, const char* name, const QRect& place) {
  auto* p = new QFrame(parent);
  p->setObjectName(QString::fromLatin1(name));
  p->setFrameStyle(QFrame::Panel | QFrame::Raised);
  p->setLineWidth(1);
  p->setGeometry(place);
  return p;
}

// Labels break lines at "\n"; the program's captions join their two lines with "\r\n".
QString labelText(const std::string& caption) {
  QString text = QString::fromStdString(caption);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

// The results cannot be scrolled sideways (they never keep the focus), so long lines are shown
// in a smaller font, down to this one, rather than cut off.
constexpr int kSmallestPixels = 8;

int widest(const QFontMetrics& metrics, const QStringList& lines) {
  int w = 0;
  for (const QString& line : lines) w = std::max(w, metrics.horizontalAdvance(line));
  return w;
}

// The largest font size, from the window's down, in which every line fits across the memo.
int fittingPixels(const QPlainTextEdit* memo, const QStringList& lines) {
  QFont f = memo->parentWidget()->font();
  const QRect inside = memo->contentsRect();
  const int margins = 2 * static_cast<int>(memo->document()->documentMargin()) + 2;
  for (; f.pixelSize() > kSmallestPixels; f.setPixelSize(f.pixelSize() - 1)) {
    const QFontMetrics metrics(f);
    int room = inside.width() - margins;
    if (lines.size() * metrics.lineSpacing() > inside.height()) {
      room -= memo->verticalScrollBar()->sizeHint().width();
    }
    if (widest(metrics, lines) <= room) break;
  }
  return f.pixelSize();
}

void showLines(QPlainTextEdit* memo, const QStringList& lines, int pixels) {
  QFont f = memo->parentWidget()->font();
  f.setPixelSize(pixels);
  memo->setFont(f);
  memo->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList linesOf(const CutList& list) {
  QStringList out;
  for (const std::string& line : list.lineTexts()) out << QString::fromStdString(line);
  return out;
}

void showList(QLabel* caption, QPlainTextEdit* memo, const CutList& list) {
  caption->setText(labelText(list.caption()));
  const QStringList lines = linesOf(list);
  showLines(memo, lines, fittingPixels(memo, lines));
}

void fitText(QLineEdit* edit) {
  QFont f = edit->parentWidget()->font();
  const int room = edit->contentsRect().width() - 6;
  while (f.pixelSize() > kSmallestPixels &&
         QFontMetrics(f).horizontalAdvance(edit->text()) > room) {
    f.setPixelSize(f.pixelSize() - 1);
  }
  edit->setFont(f);
}

void showList(QLabel* caption, QLineEdit* edit, const CutList& list) {
  caption->setText(labelText(list.caption()));
  if (list.lines.empty()) {
    edit->clear();
  } else {
    edit->setText(QString::fromStdString(list.lines.front().text()));
  }
  fitText(edit);
}

std::string textOf(const QLineEdit* edit) { return edit->text().toStdString(); }

// The text as the record keeps it: its first `room` bytes, never ending inside a character.
std::string fitted(std::string text, std::size_t room) {
  if (text.size() <= room) return text;
  std::size_t n = room;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  text.resize(n);
  return text;
}

}  // namespace

Tfm_CutList::Tfm_CutList()
    : WorkWindow(QStringLiteral("Tfm_CutList"), QSize(kClientWidth, kClientHeight),
                 QSize(kClientWidth, kClientHeight), QStringLiteral("MyStatusBar")) {
  // A system menu and a minimise button, but no maximise button.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::CustomizeWindowHint);
  QFont f = font();
  f.setPixelSize(kFontPixels);
  setFont(f);
  buildControls(client());
  buildTabOrder();
  setChanged(true);
  guarded([this] { FormCreate(); });
  guarded([this] { FormResize(); });
}

Tfm_CutList::~Tfm_CutList() {
  // Qt destroys the controls after this window has ceased to be one, moving the focus as it goes;
  // none of that may reach the handlers here.
  for (QWidget* control : findChildren<QWidget*>()) {
    if (auto* e = dynamic_cast<ReportingEdit*>(control)) e->onEnter = e->onLeave = nullptr;
    if (auto* m = dynamic_cast<ReportingMemo*>(control)) m->onEnter = m->onLeave = nullptr;
  }
}

QLineEdit* Tfm_CutList::specEdit(QWidget* parent, const char* name, const QRect& place,
                                 const QString& hint) {
  auto* e = new ReportingEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setGeometry(place);
  e->setAlignment(Qt::AlignCenter);
  setHint(e, hint);
  e->onEnter = [this, e](Qt::FocusReason reason) { specEntered(e, reason); };
  e->onLeave = [this, e](Qt::FocusReason reason) { specLeft(e, reason); };
  return e;
}

QLineEdit* Tfm_CutList::resultEdit(QWidget* parent, const char* name, const QRect& place) {
  auto* e = new ReportingEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setGeometry(place);
  e->setAlignment(Qt::AlignCenter);
  e->setReadOnly(true);
  e->setContextMenuPolicy(Qt::NoContextMenu);
  e->onEnter = [this, e](Qt::FocusReason reason) { guarded([&] { EditEnter(e, reason); }); };
  e->onLeave = [this, e](Qt::FocusReason) { guarded([&] { EditExit(e); }); };
  return e;
}

QPlainTextEdit* Tfm_CutList::resultMemo(QWidget* parent, const char* name, const QRect& place) {
  auto* m = new ReportingMemo(parent);
  m->setObjectName(QString::fromLatin1(name));
  m->setGeometry(place);
  m->setReadOnly(true);
  m->setContextMenuPolicy(Qt::NoContextMenu);
  // The memos never take the focus: the bar is the only way to scroll them, and a line too long
  // even for the smallest font wraps rather than being cut off.
  m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QTextOption centred = m->document()->defaultTextOption();
  centred.setAlignment(Qt::AlignHCenter);
  m->document()->setDefaultTextOption(centred);
  m->document()->setDocumentMargin(1);  // room for lines such as 1 @ 3 3/8 x 11 1/2
  m->onEnter = [this, m](Qt::FocusReason reason) { guarded([&] { MemoEnter(m, reason); }); };
  m->onLeave = [this, m](Qt::FocusReason) { guarded([&] { MemoExit(m); }); };
  return m;
}

void Tfm_CutList::buildControls(QWidget* c) {
  lbProj = label(c, "lbProj", QStringLiteral("Project:"), 8, 3, true);
  lbProject =
      label(c, "lbProject", QString(), std::max(57, lbProj->geometry().right() + 4), 3, true);
  lbProject->setAutoFillBackground(true);
  QPalette yellow = lbProject->palette();
  yellow.setColor(QPalette::Window, kProjectBackground);
  lbProject->setPalette(yellow);

  // The "Bins Required" list.
  pnOrder = panel(c, "pnOrder", QRect(0, 20, 145, 235));
  lbBins = label(pnOrder, "lbBins", QStringLiteral("Bins Required"), 24, 8, true);
  lbQty = label(pnOrder, "lbQty", QStringLiteral("Qty:"), 28, 32);
  lbWidth = label(pnOrder, "lbWidth", QStringLiteral("Width:"), 72, 32);
  meQty = resultMemo(pnOrder, "meQty", QRect(20, 48, 40, 177));
  meWidth = resultMemo(pnOrder, "meWidth", QRect(60, 48, 70, 177));
  // The two columns are one list: they scroll together, and only the widths show a bar.
  meQty->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(meWidth->verticalScrollBar(), &QScrollBar::valueChanged, meQty->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(meQty->verticalScrollBar(), &QScrollBar::valueChanged, meWidth->verticalScrollBar(),
          &QScrollBar::setValue);

  // The detailed specification of the bins.
  pnSpecs = panel(c, "pnSpecs", QRect(145, 20, 500, 235));
  QWidget* s = pnSpecs;
  lbDetCaption = label(s, "lbDetCaption", QStringLiteral("Detailed Specifications"), 175, 10, true);
  const QString measurement = QStringLiteral("Enter a Measurement (required)");
  const QString optionalMeasurement =
      QStringLiteral("Enter a Measurement (optional but required if a Material was entered)");

  lbDetBinDim = label(s, "lbDetBinDim", QStringLiteral("Bin Dimensions"), 48, 43, true);
  edBinHigh = specEdit(s, "edBinHigh", QRect(232, 40, 50, 23),
                       QStringLiteral("Bin Height:\r\n\r\n") + measurement);
  lbDetBinHigh = editCaption(s, "lbDetBinHigh", QStringLiteral("Height:"), 190, 43, edBinHigh);
  edBinDeep = specEdit(s, "edBinDeep", QRect(431, 40, 50, 23),
                       QStringLiteral("Bin Depth:\r\n\r\n") + measurement);
  lbDetBinDeep = editCaption(s, "lbDetBinDeep", QStringLiteral("Depth:"), 393, 43, edBinDeep);

  lbDetBinCon = label(s, "lbDetBinCon", QStringLiteral("Bin Construction"), 44, 94, true);
  edBinMat = specEdit(s, "edBinMat", QRect(232, 90, 120, 23),
                      QStringLiteral("Bin Material:\r\n\r\nFree-Form Text (required)"));
  lbDetBinMat = editCaption(s, "lbDetBinMat", QStringLiteral("Material:"), 183, 94, edBinMat);
  edBinThk = specEdit(s, "edBinThk", QRect(432, 90, 50, 23),
                      QStringLiteral("Material Thickness:\r\n\r\n") + measurement);
  lbDetBinThick = editCaption(s, "lbDetBinThick", QStringLiteral("Thickness:"), 374, 94, edBinThk);

  lbDetDivCon = label(s, "lbDetDivCon", QStringLiteral("Divider Construction\n        (optional)"),
                      29, 140, true);
  edDivMat = specEdit(s, "edDivMat", QRect(232, 140, 120, 23),
                      QStringLiteral("Divider Material:\r\n\r\nFree-Form Text (optional)"));
  lbDetDivMat = editCaption(s, "lbDetDivMat", QStringLiteral("Material:"), 183, 143, edDivMat);
  edDivThk = specEdit(s, "edDivThk", QRect(431, 140, 50, 23),
                      QStringLiteral("Divider Thickness:\r\n\r\n") + optionalMeasurement);
  lbDetDivThick = editCaption(s, "lbDetDivThick", QStringLiteral("Thickness:"), 374, 143, edDivThk);

  lbDetBatCon = label(s, "lbDetBatCon", QStringLiteral("Batten Construction\n        (optional)"),
                      33, 190, true);
  edBatMat = specEdit(s, "edBatMat", QRect(232, 190, 120, 23),
                      QStringLiteral("Batten Material:\r\n\r\nFree-Form Text (optional)"));
  lbDetBatMat = editCaption(s, "lbDetBatMat", QStringLiteral("Material:"), 183, 193, edBatMat);
  edBatThk = specEdit(s, "edBatThk", QRect(431, 190, 50, 23),
                      QStringLiteral("Batten Thickness:\r\n\r\n") + optionalMeasurement);
  lbDetBatThick = editCaption(s, "lbDetBatThick", QStringLiteral("Thickness:"), 374, 193, edBatThk);

  keepClearOf(lbDetBinDim, lbDetBinHigh);
  keepClearOf(lbDetBinCon, lbDetBinMat);
  keepClearOf(lbDetDivCon, lbDetDivMat);
  keepClearOf(lbDetBatCon, lbDetBatMat);

  specs_ = {
      {edBinHigh, &Tfm_CutList::edBinHighExit}, {edBinDeep, &Tfm_CutList::edBinDeepExit},
      {edBinMat, &Tfm_CutList::edBinMatExit},   {edBinThk, &Tfm_CutList::edBinThkExit},
      {edDivMat, &Tfm_CutList::edDivMatExit},   {edDivThk, &Tfm_CutList::edDivThkExit},
      {edBatMat, &Tfm_CutList::edBatMatExit},   {edBatThk, &Tfm_CutList::edBatThkExit},
  };

  // The change indicator around the calculation button.
  pnWarn = new QFrame(c);
  pnWarn->setObjectName(QStringLiteral("pnWarn"));
  pnWarn->setGeometry(0, 255, 645, 32);
  pnWarn->setAutoFillBackground(true);
  btnDoCalcs =
      new QPushButton(QStringLiteral("Click here to Display or Refresh the Cutting Lists"), pnWarn);
  btnDoCalcs->setObjectName(QStringLiteral("btnDoCalcs"));
  btnDoCalcs->setGeometry(3, 3, 639, 25);
  btnDoCalcs->setFont(boldFont(btnDoCalcs));
  // Not a tab stop; a click does not take the focus either, since btnDoCalcsClick leaves the
  // pending entry itself and then moves the focus here.
  btnDoCalcs->setFocusPolicy(Qt::NoFocus);
  connect(btnDoCalcs, &QPushButton::clicked, this,
          [this] { guarded([this] { btnDoCalcsClick(); }); });

  // The cutting lists.
  pnCutList = panel(c, "pnCutList", QRect(0, 284, 645, 235));
  QWidget* p = pnCutList;
  const auto resultLabel = [p](const char* name, const QString& text, int x, int y) {
    QLabel* l = label(p, name, text, x, y);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(x, y, 124, 32);
    return l;
  };
  lbSide = resultLabel("lbSide", QStringLiteral("Side"), 6, 6);
  edSide = resultEdit(p, "edSide", QRect(6, 38, 120, 23));
  lbFront = resultLabel("lbFront", QStringLiteral("Front"), 6, 69);
  meFront = resultMemo(p, "meFront", QRect(6, 100, 120, 130));
  lbBack = resultLabel("lbBack", QStringLiteral("Back"), 134, 69);
  meBack = resultMemo(p, "meBack", QRect(134, 100, 120, 130));
  lbBase = resultLabel("lbBase", QStringLiteral("Base"), 264, 69);
  meBase = resultMemo(p, "meBase", QRect(264, 100, 120, 130));
  lbDivider = resultLabel("lbDivider", QStringLiteral("Divider"), 391, 69);
  meDivider = resultMemo(p, "meDivider", QRect(391, 100, 120, 130));
  lbBatMat = resultLabel("lbBatMat", QStringLiteral("Batten Material"), 391, 6);
  edBatStock = resultEdit(p, "edBatStock", QRect(391, 38, 120, 23));
  lbBattenW = resultLabel("lbBattenW", QStringLiteral("Batten (Wall)"), 518, 6);
  edBattenW = resultEdit(p, "edBattenW", QRect(518, 38, 120, 23));
  lbBattenB = resultLabel("lbBattenB", QStringLiteral("Batten (Bin)"), 518, 69);
  meBattenB = resultMemo(p, "meBattenB", QRect(518, 100, 120, 130));

  // Sorting is done by ShowBins; the list box is kept, never shown, under its name.
  lsSort = new QListWidget(c);
  lsSort->setObjectName(QStringLiteral("lsSort"));
  lsSort->setGeometry(502, 8, 81, 0);
  lsSort->setVisible(false);

  status.bar->raise();
}

void Tfm_CutList::buildTabOrder() {
  const QList<QWidget*> order{edBinHigh, edBinDeep,  edBinMat,  edBinThk, edDivMat,
                              edDivThk,  edBatMat,   edBatThk,  meQty,    meWidth,
                              meBattenB, meFront,    meBack,    meBase,   meDivider,
                              edSide,    edBatStock, edBattenW, lsSort};
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void Tfm_CutList::FormCreate() {
  setWindowTitle(COM_APPNAME + QStringLiteral(" - Part 2: Detailed Specifications and CutList"));
  AdjustStatusBar();
}

void Tfm_CutList::FormActivate() {
  lbProject->setText(COM_PRJNAME);
  lbProject->adjustSize();
  SetHints(miShow, miHide, hintDisplay());
  bins_ = ShowBins(COM_BINDATA.COM_BINVALS);
  QStringList quantities;
  QStringList widths;
  for (const BinEntry& entry : bins_) {
    quantities << QString::fromStdString(entry.quantityText());
    widths << QString::fromStdString(entry.width);
  }
  // One list in two columns: both in the same font, so that their lines stay side by side.
  const int pixels = std::min(fittingPixels(meQty, quantities), fittingPixels(meWidth, widths));
  showLines(meQty, quantities, pixels);
  showLines(meWidth, widths, pixels);
  ShowSpecs();
  // The edits now show the record, so nothing typed is left to check.
  pending_ = nullptr;
  btnDoCalcs->setFocus();
}

void Tfm_CutList::ShowSpecs() {
  const BinSpecs s = hm::ShowSpecs(COM_BINDATA);
  edBinHigh->setText(QString::fromStdString(s.edBinHigh));
  edBinDeep->setText(QString::fromStdString(s.edBinDeep));
  edBinMat->setText(QString::fromStdString(s.edBinMat));
  edBinThk->setText(QString::fromStdString(s.edBinThk));
  edDivMat->setText(QString::fromStdString(s.edDivMat));
  edDivThk->setText(QString::fromStdString(s.edDivThk));
  edBatMat->setText(QString::fromStdString(s.edBatMat));
  edBatThk->setText(QString::fromStdString(s.edBatThk));
}

BinSpecs Tfm_CutList::currentSpecs() const {
  return BinSpecs{textOf(edBinHigh), textOf(edBinDeep), textOf(edBinMat), textOf(edBinThk),
                  textOf(edDivMat),  textOf(edDivThk),  textOf(edBatMat), textOf(edBatThk)};
}

void Tfm_CutList::setChanged(bool changed) {
  changed_ = changed;
  QPalette p = pnWarn->palette();
  p.setColor(QPalette::Window, changed ? kChanged : kWritten);
  pnWarn->setPalette(p);
}

void Tfm_CutList::focusEdit(QLineEdit* edit) {
  // Marked first: the edit losing the focus to this one must not run its exit handler again.
  pending_ = edit;
  edit->setFocus();
}

void Tfm_CutList::storeEntry(const QString& entry, std::string COM_BINREC::*field,
                             std::size_t room) {
  std::string& stored = COM_BINDATA.*field;
  const std::string typed = entry.toStdString();
  if (trimBlanks(typed) == trimBlanks(stored)) return;
  stored = fitted(typed, room);
  setChanged(true);
}

void Tfm_CutList::measurementExit(QLineEdit* edit, std::string COM_BINREC::*field,
                                  bool zeroRefused) {
  edit->setText(EditTape(edit, COM_TAPEERROR));
  if (COM_TAPEERROR) {
    focusEdit(edit);  // EditTape has told the user
    return;
  }
  if (zeroRefused && trimBlanks(textOf(edit)) == "0") {
    services().dialogs->message(
        QStringLiteral("Cannot have a zero or null value - please try again"));
    focusEdit(edit);
    return;
  }
  storeEntry(edit->text(), field, 10);
}

void Tfm_CutList::materialExit(QLineEdit* edit, std::string COM_BINREC::*field) {
  storeEntry(edit->text(), field, 20);
}

void Tfm_CutList::edBinHighExit() { measurementExit(edBinHigh, &COM_BINREC::COM_BINHIGH, true); }

void Tfm_CutList::edBinDeepExit() { measurementExit(edBinDeep, &COM_BINREC::COM_BINDEEP, true); }

void Tfm_CutList::edBinThkExit() { measurementExit(edBinThk, &COM_BINREC::COM_BINTHK, true); }

void Tfm_CutList::edDivThkExit() {
  // Without a divider material a thickness of 0 is as good as none.
  measurementExit(edDivThk, &COM_BINREC::COM_DIVTHK, !trimBlanks(textOf(edDivMat)).empty());
}

void Tfm_CutList::edBatThkExit() {
  measurementExit(edBatThk, &COM_BINREC::COM_BATTHK, !trimBlanks(textOf(edBatMat)).empty());
}

void Tfm_CutList::edBinMatExit() {
  if (trimBlanks(textOf(edBinMat)).empty()) {
    services().dialogs->message(QStringLiteral("Required field"));
    focusEdit(edBinMat);
    return;
  }
  materialExit(edBinMat, &COM_BINREC::COM_BINMAT);
}

void Tfm_CutList::edDivMatExit() { materialExit(edDivMat, &COM_BINREC::COM_DIVMAT); }

void Tfm_CutList::edBatMatExit() { materialExit(edBatMat, &COM_BINREC::COM_BATMAT); }

bool Tfm_CutList::EditsPass() {
  const SpecCheck check = hm::EditsPass(currentSpecs());
  if (check.passed()) return true;
  services().dialogs->message(QString::fromStdString(check.message));
  const std::string_view name = specFieldEdit(*check.failed);
  if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(name.data(), name.size()))) {
    focusEdit(edit);
  }
  return false;
}

void Tfm_CutList::btnDoCalcsClick() {
  // Leaving the edit for the button comes first, as its own event.
  guarded([this] { commitPendingEntry(); });
  if (!EditsPass()) return;
  const BinSpecs specs = currentSpecs();
  // One list after the other, each shown before the next is computed: a text that is not a
  // number ends the calculation where it is first read, with the earlier lists already shown.
  showList(lbSide, edSide, ShowSides(specs, bins_));
  showList(lbFront, meFront, ShowFronts(specs, bins_));
  showList(lbBack, meBack, ShowBacks(specs, bins_));
  showList(lbBase, meBase, ShowBases(specs, bins_));
  showList(lbDivider, meDivider, ShowDividers(specs, bins_));
  showList(lbBatMat, edBatStock, ShowBatM(specs, bins_));
  showList(lbBattenW, edBattenW, ShowBatW(specs, COM_BINDATA));
  showList(lbBattenB, meBattenB, ShowBatB(specs, bins_));
  COM_BINFILE.store(COM_BINDATA);
  setChanged(false);
}

bool Tfm_CutList::FormCloseQuery() {
  // A failure in the pending entry (a text that is not a number) keeps the window open once, so
  // that the user sees it; the focus has moved on, so closing again closes.
  commitPendingEntry();
  if (!changed_) return true;
  try {
    COM_BINFILE.store(COM_BINDATA);
  } catch (const std::exception& e) {
    // The user must always be able to leave, knowing that the changes are not in the file.
    showStandardError(QString::fromUtf8(e.what()));
    return services().dialogs->confirm(
        QStringLiteral("Your last changes could not be saved. Close this window anyway?"));
  }
  return true;
}

void Tfm_CutList::FormResize() {
  const QSize c = client()->size();
  if (c.width() < kClientWidth || c.height() < kClientHeight) {
    resize(width() + std::max(0, kClientWidth - c.width()),
           height() + std::max(0, kClientHeight - c.height()));
  }
  const int h = client()->height();
  pnCutList->resize(pnCutList->width(), h - 328);
  for (QPlainTextEdit* memo : {meFront, meBack, meBase, meDivider, meBattenB}) {
    memo->resize(memo->width(), h - 435);
  }
  WorkWindow::FormResize();
}

void Tfm_CutList::specEntered(QLineEdit* edit, Qt::FocusReason reason) {
  // Coming back to the window (after a box or another program) is no new entry.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  pending_ = edit;
}

void Tfm_CutList::specLeft(QLineEdit* edit, Qt::FocusReason reason) {
  // Another window, a box or a menu taking the keyboard for a while does not leave the edit.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
      reason == Qt::MenuBarFocusReason) {
    return;
  }
  // Not pending: its exit handler has run already, or the handler gave the focus to another edit.
  if (pending_ != edit) return;
  pending_ = nullptr;
  guarded([&] { runExit(edit); });
}

void Tfm_CutList::runExit(QLineEdit* edit) {
  const auto entry = std::find_if(specs_.begin(), specs_.end(),
                                  [edit](const SpecEntry& s) { return s.edit == edit; });
  if (entry == specs_.end()) return;
  (this->*(entry->exit))();
}

void Tfm_CutList::commitPendingEntry() {
  QLineEdit* edit = std::exchange(pending_, nullptr);
  if (!edit) return;
  try {
    runExit(edit);
  } catch (...) {
    btnDoCalcs->setFocus();
    throw;
  }
  if (pending_ != edit) btnDoCalcs->setFocus();
}

void Tfm_CutList::passOn(QWidget* control, Qt::FocusReason reason) {
  // Qt does not let a disabled control keep the focus: disabling it hands the focus on to the
  // next control (or, going backwards, it is handed back first). Its exit is then run here, once
  // Qt has finished disabling it.
  passingOn_.append(control);
  if (reason == Qt::BacktabFocusReason) focusPreviousChild();
  control->setEnabled(false);
  passingOn_.removeOne(control);
  if (!control->hasFocus()) control->setEnabled(true);
}

void Tfm_CutList::EditEnter(QWidget* sender, Qt::FocusReason reason) { passOn(sender, reason); }

void Tfm_CutList::EditExit(QWidget* sender) {
  if (!passingOn_.contains(sender)) sender->setEnabled(true);
}

void Tfm_CutList::MemoEnter(QWidget* sender, Qt::FocusReason reason) { passOn(sender, reason); }

void Tfm_CutList::MemoExit(QWidget* sender) {
  if (!passingOn_.contains(sender)) sender->setEnabled(true);
}

}  // namespace hm
