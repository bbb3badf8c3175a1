#include "tfm_layout.h"

#include "app/com_state.h"
#include "cutlist/tfm_cutlist.h"
#include "measure/edit_tape.h"
#include "measure/tape.h"
#include "platform/guard.h"
#include "platform/services.h"
#include "row_bars.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>

#include <exception>

namespace hm {

bool FileIsOpen = false;

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);

// The row of a row control: the digit at the end of its name.
int rowOf(const QObject* control) {
  const QString name = control->objectName();
  return name.isEmpty() ? -1 : name.back().digitValue();
}

// The row text steps work on UTF-8. Back in the fields the text must be the one typed: a plain
// QString::fromStdString() would drop a leading byte order mark.
QString typedText(const std::string& utf8) {
  QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace

Tfm_Layout::Tfm_Layout()
    : WorkWindow(QStringLiteral("fm_Layout"), QSize(kDesignWidth, kDesignHeight),
                 QSize(kSmallestWidth, kSmallestHeight), QStringLiteral("myStatusBar")) {
  QWidget* c = client();

  lbProj = new QLabel(QStringLiteral("Project:"), c);
  lbProj->setObjectName(QStringLiteral("lbProj"));
  lbProj->setFont(boldFont(lbProj));
  lbProj->move(8, 4);
  lbProj->adjustSize();
  lbProject = new QLabel(c);
  lbProject->setObjectName(QStringLiteral("lbProject"));
  lbProject->setFont(boldFont(lbProject));
  lbProject->setAutoFillBackground(true);
  QPalette yellow = lbProject->palette();
  yellow.setColor(QPalette::Window, Qt::yellow);
  lbProject->setPalette(yellow);
  // Our bold font is wider than the one the window was drawn with: never cover "Project:".
  lbProject->move(std::max(57, lbProj->geometry().right() + 4), 4);

  // The scratch field lies under the instructions and is never seen.
  hVal = new QLineEdit(c);
  hVal->setObjectName(QStringLiteral("hVal"));
  hVal->setGeometry(8, 22, 20, 23);
  hVal->setFocusPolicy(Qt::ClickFocus);

  Memo1 = new QPlainTextEdit(c);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, 20, 430, 55);
  Memo1->setFont(boldFont(Memo1));
  Memo1->setPlainText(
      QStringLiteral("For a row of bins, enter their widths separated by commas.\n"
                     "Click the > button to apply the values to the matching row.\n"
                     "Edit a row by clicking anywhere on a row."));
  Memo1->setEnabled(false);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHint(Memo1, QStringLiteral("Instructions:"));

  edValues = new QLineEdit(c);
  edValues->setObjectName(QStringLiteral("edValues"));
  edValues->setGeometry(8, 80, 430, 23);
  edValues->setFocusPolicy(Qt::ClickFocus);
  setHint(edValues,
          QStringLiteral("For a Row of Bins:\r\n\r\nEnter a set of Measurements (separated "
                         "by commas)"));

  pWarn = new QWidget(c);
  pWarn->setObjectName(QStringLiteral("pWarn"));
  pWarn->setGeometry(5, 455, 436, 42);
  pWarn->setAutoFillBackground(true);
  QPalette lime = pWarn->palette();
  lime.setColor(QPalette::Window, QColor(0, 255, 0));
  pWarn->setPalette(lime);
  btnCutList = new QPushButton(QStringLiteral("Click here to view the Cut List"), pWarn);
  btnCutList->setObjectName(QStringLiteral("btnCutList"));
  btnCutList->setGeometry(3, 4, 430, 35);
  btnCutList->setFont(boldFont(btnCutList, 16));
  connect(btnCutList, &QPushButton::clicked, this,
          [this] { guarded([this] { btnCutListClick(); }); });

  guarded([this] { FormCreate(); });
}

void Tfm_Layout::FormCreate() {
  setWindowTitle(COM_APPNAME + QStringLiteral(" - Part 1: Plan up to 10 rows of bins..."));
  FileIsOpen = false;
  MaxBar = static_cast<float>(kDesignWidth - 30);
  setFieldWidths(static_cast<int>(MaxBar));
  createRows();
}

void Tfm_Layout::createRows() {
  for (int i = 0; i < 10; ++i) {
    const int top = 103 + 35 * i;
    auto* button = new QPushButton(QStringLiteral(">"), client());
    button->setObjectName(QStringLiteral("edBtn%1").arg(i));
    button->setGeometry(8, top, 20, 35);
    button->setFont(boldFont(button, 12));
    setHint(button, QStringLiteral("Apply the input values (from above) to this Row"));
    connect(button, &QPushButton::clicked, this,
            [this, button] { guarded([this, button] { ApplyClick(rowOf(button)); }); });
    B[i] = button;

    auto* bar = new PanelButton(QString(), kSilver, client());
    bar->setObjectName(QStringLiteral("Bin%1").arg(i));
    bar->setGeometry(28, top, 20, 35);
    bar->setFont(boldFont(bar, 10));
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setLineWidth(2);
    setHint(bar, QStringLiteral("Click to Edit the values from this Row"));
    connect(bar, &PanelButton::clicked, this,
            [this, bar] { guarded([this, bar] { PanelClick(rowOf(bar)); }); });
    P[i] = bar;
  }
}

void Tfm_Layout::setFieldWidths(int width) {
  Memo1->resize(width, Memo1->height());
  edValues->resize(width, edValues->height());
}

void Tfm_Layout::FormActivate() {
  lbProject->setText(COM_PRJNAME);
  lbProject->adjustSize();
  SetHints(miShow, miHide, hintDisplay());
  if (!FileIsOpen) {
    COM_BINFILE.open(COM_PRJFILE);
    FileIsOpen = true;
  }
  edValues->clear();
  COM_BINFILE.load(COM_BINDATA);
  AdjustPanels();
}

void Tfm_Layout::activate() {
  try {
    FormActivate();
  } catch (const std::exception& e) {
    // The record in memory is not this project's: close without writing anything.
    showStandardError(QString::fromUtf8(e.what()));
    readFailed_ = true;
    close();
  }
}

bool Tfm_Layout::FormCloseQuery() {
  if (readFailed_) {
    COM_BINFILE.close();
    FileIsOpen = false;
    return true;
  }
  if (COM_PRJFILE.trimmed().isEmpty() || !FileIsOpen) return true;
  try {
    COM_BINFILE.storeAndClose(COM_BINDATA);
    FileIsOpen = false;
    return true;
  } catch (const std::exception& e) {
    showStandardError(QString::fromUtf8(e.what()));
  }
  // The user can always leave; the record in memory stays if they choose to stay.
  if (!services().dialogs->confirm(
          QStringLiteral("Your last changes could not be saved. Close this window anyway?"))) {
    return false;
  }
  COM_BINFILE.close();
  FileIsOpen = false;
  return true;
}

void Tfm_Layout::FormResize() {
  const int width = client()->width();
  MaxBar = static_cast<float>(width - 20);
  const int fieldWidth = static_cast<int>(MaxBar);
  setFieldWidths(fieldWidth);
  btnCutList->resize(fieldWidth, btnCutList->height());
  pWarn->resize(btnCutList->width() + 6, pWarn->height());
  AdjustPanels();
  WorkWindow::FormResize();
}

void Tfm_Layout::AdjustPanels() {
  if (!P[0]) return;  // rows not made yet
  const std::array<RowBar, 10> bars = computeRowBars(COM_BINDATA.COM_BINVALS, MaxBar);
  const QColor planned = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    P[i]->resize(bars[i].width, P[i]->height());
    P[i]->setText(QString::fromStdString(bars[i].caption));
    P[i]->setColour(bars[i].width == 0 ? kSilver : planned);
  }
}

void Tfm_Layout::ApplyClick(int row) {
  if (row < 0 || row > 9) return;
  const std::string text = cleanRowText(edValues->text().toStdString());
  auto& widths = COM_BINDATA.COM_BINVALS[static_cast<std::size_t>(row)];
  widths.fill(0.0f);
  edValues->setText(typedText(text));
  // More than ten values: the rest is dropped.
  const std::vector<std::string> values = splitRowValues(text);
  for (std::size_t column = 0; column < values.size(); ++column) {
    hVal->setText(typedText(values[column]));
    hVal->setText(EditTape(hVal, COM_TAPEERROR));
    if (COM_TAPEERROR) hVal->setText(QStringLiteral("0"));
    widths[column] = FullFractionToFloat(hVal->text().toStdString());
  }
  edValues->setText(QString::fromStdString(rowValuesText(widths)));
  AdjustPanels();
}

void Tfm_Layout::PanelClick(int row) {
  if (row < 0 || row > 9) return;
  const QString caption = P[static_cast<std::size_t>(row)]->text();
  const qsizetype at = caption.indexOf(QStringLiteral(" ("));
  edValues->setText(at > 0 ? caption.left(at - 1) : QString());
}

void Tfm_Layout::btnCutListClick() {
  const bool anyBins = std::any_of(P.begin(), P.end(),
                                   [](const PanelButton* bar) { return !bar->text().isEmpty(); });
  if (!anyBins) {
    services().dialogs->message(QStringLiteral("No bins in the Plan!"));
    edValues->setFocus();
    return;
  }
  {
    Tfm_CutList cutList;
    runChild(cutList);
  }
  SetHints(miShow, miHide, hintDisplay());
}

}  // namespace hm
