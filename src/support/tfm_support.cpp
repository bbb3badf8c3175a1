#include "tfm_support.h"

#include "app/app_version.h"
#include "app/build_settings.h"
#include "app/window_common.h"
#include "error_log.h"
#include "platform/guard.h"
#include "platform/services.h"
#include "support_report.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace hm {
namespace {

const QString kInstructions = QStringLiteral(
    "When you click CONTINUE, some basic information about your computer will be collected. This "
    "information will be valuable when your issue is being analyzed.\n"
    "\n"
    "The information collected will be displayed here so you can be assured that no personally "
    "identifiable information has been included.\n"
    "\n"
    "After viewing, you can proceed by clicking CREATE A SUPPORT TICKET.\n"
    "\n"
    "Part of the Ticket process provides you with the option to ATTACH A FILE. Use it to attach "
    "this information.");

// The stacked pages keep these margins to the window's right and bottom edges.
constexpr int kPageLeft = 10;
constexpr int kPageTop = 5;
constexpr int kPageRightMargin = kPageLeft + 13;
constexpr int kPageBottomMargin = kPageTop + 36;

QLabel* boldLabel(const QString& text, QWidget* parent, const char* name, int pointSize = 0) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setFont(boldFont(l, pointSize));
  return l;
}

QPlainTextEdit* memo(QWidget* parent, const char* name) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(QString::fromLatin1(name));
  m->setReadOnly(true);
  m->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return m;
}

QPushButton* button(const QString& text, QWidget* parent, const char* name, bool tabStop) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  if (!tabStop) b->setFocusPolicy(Qt::ClickFocus);
  return b;
}

}  // namespace

TFmSupport::TFmSupport(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FmSupport"));
  setWindowTitle(QStringLiteral("Request for Product Support"));
  setMinimumSize(kMinWidth, kMinHeight);
  resize(kClientWidth, kClientHeight);

  meInstructions = memo(this, "meInstructions");
  meInstructions->setPlainText(kInstructions);
  pnDetail = new QWidget(this);
  pnDetail->setObjectName(QStringLiteral("pnDetail"));
  pnDetail->setAutoFillBackground(true);
  buildDetailPage();
  mePlatform = memo(this, "mePlatform");
  for (QWidget* page :
       {static_cast<QWidget*>(meInstructions), pnDetail, static_cast<QWidget*>(mePlatform)}) {
    page->setGeometry(kPageLeft, kPageTop, 500, 255);
  }

  btnContinue = button(QStringLiteral("Continue"), this, "btnContinue", false);
  btnDetail = button(QStringLiteral("Continue"), this, "btnDetail", true);
  btnTicket = button(QStringLiteral("Generate a Support Ticket"), this, "btnTicket", false);
  // 150 wide, or as wide as the longest caption needs in this font; the field follows them.
  const int buttonWidth = std::max(150, btnTicket->sizeHint().width());
  for (QPushButton* b : {btnContinue, btnDetail, btnTicket}) {
    b->setGeometry(10, 265, buttonWidth, 23);
  }
  edLogFile = new QLineEdit(this);
  edLogFile->setObjectName(QStringLiteral("edLogFile"));
  edLogFile->setFocusPolicy(Qt::ClickFocus);
  edLogFile->setGeometry(15 + buttonWidth, 265, 510 - 15 - buttonWidth, 23);

  connect(btnContinue, &QPushButton::clicked, this,
          [this] { guarded([this] { btnContinueClick(); }); });
  connect(btnDetail, &QPushButton::clicked, this,
          [this] { guarded([this] { btnDetailClick(); }); });
  connect(btnTicket, &QPushButton::clicked, this,
          [this] { guarded([this] { btnTicketClick(); }); });
  meInstructions->installEventFilter(this);
  mePlatform->installEventFilter(this);

  guarded([this] {
    FormCreate();
    FormResize();
  });
}

void TFmSupport::buildDetailPage() {
  auto* page = new QVBoxLayout(pnDetail);
  page->setContentsMargins(6, 4, 6, 6);
  page->setSpacing(4);

  lbDetail = boldLabel(QStringLiteral("Describe what you were doing when an error occurred"),
                       pnDetail, "lbDetail", font().pointSize() + 2);
  page->addWidget(lbDetail);

  gbError = new QGroupBox(pnDetail);
  gbError->setObjectName(QStringLiteral("gbError"));
  auto* errorBox = new QVBoxLayout(gbError);
  errorBox->setContentsMargins(8, 6, 8, 6);
  errorBox->setSpacing(3);
  lbError = boldLabel(QStringLiteral("Error Message"), gbError, "lbError");
  edError = new QLineEdit(gbError);
  edError->setObjectName(QStringLiteral("edError"));
  cbDuplicate = new QCheckBox(QStringLiteral("Error can be duplicated"), gbError);
  cbDuplicate->setObjectName(QStringLiteral("cbDuplicate"));
  cbDuplicate->setFont(boldFont(cbDuplicate));
  // The check box goes beside the edit: the page has no height to spare for a row of its own.
  auto* errorRow = new QHBoxLayout;
  errorRow->addWidget(edError, 1);
  errorRow->addWidget(cbDuplicate);
  errorBox->addWidget(lbError);
  errorBox->addLayout(errorRow);
  page->addWidget(gbError);

  gbForm = new QGroupBox(pnDetail);
  gbForm->setObjectName(QStringLiteral("gbForm"));
  auto* formBox = new QVBoxLayout(gbForm);
  formBox->setContentsMargins(8, 6, 8, 6);
  formBox->setSpacing(3);
  lbForm = boldLabel(QStringLiteral("Form Name: (see top of Window)"), gbForm, "lbForm");
  edForm = new QLineEdit(gbForm);
  edForm->setObjectName(QStringLiteral("edForm"));
  formBox->addWidget(lbForm);
  formBox->addWidget(edForm);
  page->addWidget(gbForm);

  lbNotes = boldLabel(QStringLiteral("Describe what you were doing when the error occurred:"),
                      pnDetail, "lbNotes");
  page->addWidget(lbNotes);
  meError = new QPlainTextEdit(pnDetail);
  meError->setObjectName(QStringLiteral("meError"));
  meError->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  meError->setTabChangesFocus(true);
  page->addWidget(meError, 1);
}

void TFmSupport::FormCreate() {
  QFont f = mePlatform->font();
  f.setPointSize(10);
  mePlatform->setFont(f);
  ERR_APPVERSION = GetAppVersion();
}

void TFmSupport::FormActivate() {
  ERR_APPVERSION = GetAppVersion();
  meInstructions->raise();
  btnContinue->raise();
  edLogFile->hide();
  GOODRUN = false;
}

void TFmSupport::btnContinueClick() {
  pnDetail->raise();
  btnDetail->raise();
}

void TFmSupport::btnDetailClick() {
  mePlatform->raise();
  edLogFile->show();
  GetData();
  btnTicket->raise();
}

void TFmSupport::GetData() {
  Services& s = services();
  const ReportSources sources{*s.clock,       *s.environment,
                              *s.system,      QGuiApplication::applicationDisplayName(),
                              ERR_APPVERSION, ERRLOG};
  const SupportEntries entries{edError->text(), cbDuplicate->isChecked(), edForm->text(),
                               meError->toPlainText()};
  mePlatform->clear();
  mePlatform->setPlainText(hm::GetData(sources, entries).join(QLatin1Char('\n')));
}

void TFmSupport::btnTicketClick() {
  const QStringList report = mePlatform->toPlainText().split(QLatin1Char('\n'));
  const QString FULLURL = ticketAddress(siteUrl(), services().clock->now(), report);
  // Without a browser the user stays on the report and may try again, or close.
  if (!services().shell->openUrl(FULLURL)) return;
  GOODRUN = true;
  done(FormCloseQuery());
}

int TFmSupport::FormCloseQuery() const { return GOODRUN ? kResultOk : kResultCancel; }

void TFmSupport::reject() { done(FormCloseQuery()); }

void TFmSupport::FormResize() {
  const int w = std::max(width(), kMinWidth);
  const int h = std::max(height(), kMinHeight);
  if (w != width() || h != height()) resize(w, h);
  // Laid out for the size asked for: a window manager may report the new size only later.
  for (QWidget* page :
       {static_cast<QWidget*>(meInstructions), pnDetail, static_cast<QWidget*>(mePlatform)}) {
    page->setGeometry(kPageLeft, kPageTop, w - kPageRightMargin, h - kPageBottomMargin);
  }
  const int top = h - 30;
  for (QPushButton* b : {btnTicket, btnContinue, btnDetail}) b->move(b->x(), top);
  edLogFile->setGeometry(edLogFile->x(), top, w - edLogFile->x() - 13, edLogFile->height());
}

void TFmSupport::mePlatformEnter() { mePlatform->setEnabled(false); }

void TFmSupport::meInstructionsEnter() { meInstructions->setEnabled(false); }

void TFmSupport::mePlatformExit() { mePlatform->setEnabled(true); }

void TFmSupport::meInstructionsExit() { meInstructions->setEnabled(true); }

void TFmSupport::centreOverMainWindow() {
  const QWidget* main = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != this && w->isVisible() && w->objectName() == QLatin1String("fmMain")) main = w;
  }
  const QRect area =
      main ? main->frameGeometry()
           : QRect(QPoint(0, 0), services().screen ? services().screen->size() : QSize(1024, 768));
  const QSize frame = frameGeometry().size();
  move(std::max(0, area.x() + (area.width() - frame.width()) / 2),
       std::max(0, area.y() + (area.height() - frame.height()) / 2));
}

void TFmSupport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  centreOverMainWindow();
  guarded([this] { FormActivate(); });
}

void TFmSupport::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  guarded([this] { FormResize(); });
}

bool TFmSupport::eventFilter(QObject* watched, QEvent* event) {
  const bool in = event->type() == QEvent::FocusIn;
  const bool out = event->type() == QEvent::FocusOut;
  if ((in || out) && (watched == mePlatform || watched == meInstructions)) {
    guarded([&] {
      if (watched == mePlatform) {
        in ? mePlatformEnter() : mePlatformExit();
      } else {
        in ? meInstructionsEnter() : meInstructionsExit();
      }
    });
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hm
