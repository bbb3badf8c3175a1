#include "tfm_update.h"

#include "platform/guard.h"
#include "platform/services.h"
#include "support/error_log.h"
#include "update_check.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace hm {

const QColor TfmUpdate::kSkyBlue(0xA6, 0xCA, 0xF0);

namespace {

const QString kWarning = QStringLiteral(
    "WARNING:\n"
    "    Updating requires that this application be stopped until the update\n"
    "    has completed. When the update is done, it will attempt to restart.\n"
    "\n"
    "IF YOUR WORK IS NOT COMPLETED:\n"
    "    Please stop and finish that work first.\n"
    "    Click the NO, DO NOT UPDATE button below.\n"
    "\n"
    "WHEN READY TO UPDATE:\n"
    "    When you have completed your work and saved your data, you \n"
    "    should then start this update again.");

const QString kUnit = QStringLiteral("qvl_inst");
const QString kSection = QStringLiteral("UpdateNow");

QPushButton* boldButton(const QString& text, QWidget* parent, const char* name) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  QFont f = b->font();
  f.setBold(true);
  b->setFont(f);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TfmUpdate::TfmUpdate(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmUpdate"));
  setWindowTitle(QStringLiteral("Please confirm..."));
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette sky = palette();
  sky.setColor(QPalette::Window, kSkyBlue);
  setPalette(sky);

  // Made before the memo, so that the memo covers it until the update starts.
  pnMessage = new QLabel(this);
  pnMessage->setObjectName(QStringLiteral("pnMessage"));
  pnMessage->setGeometry(16, 120, 400, 34);
  pnMessage->setAlignment(Qt::AlignCenter);
  pnMessage->setFrameStyle(QFrame::Panel | QFrame::Raised);
  pnMessage->setAutoFillBackground(true);
  QFont big = pnMessage->font();
  big.setBold(true);
  big.setPixelSize(16);
  pnMessage->setFont(big);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(16, 16, 400, 200);
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The lines were laid out for a narrow system font; a little smaller keeps them whole here, and
  // where they still do not fit they wrap rather than hide behind a scroll bar.
  QFont memoFont = Memo1->font();
  memoFont.setPointSizeF(std::min(memoFont.pointSizeF(), 8.5));
  Memo1->setFont(memoFont);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setPlainText(kWarning);

  btnUpdate = boldButton(QStringLiteral("Update Now"), this, "btnUpdate");
  btnUpdate->setGeometry(16, 225, 130, 25);
  btnUpdate->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  btnCancel = boldButton(QStringLiteral("No, Do not Update"), this, "btnCancel");
  btnCancel->setGeometry(286, 225, 130, 25);

  connect(btnUpdate, &QPushButton::clicked, this,
          [this] { guarded([this] { btnUpdateClick(); }); });
  connect(btnCancel, &QPushButton::clicked, this,
          [this] { guarded([this] { btnCancelClick(); }); });
}

void TfmUpdate::FormActivate() {
  pnMessage->move(pnMessage->x(), 120);
  pnMessage->lower();
}

void TfmUpdate::btnCancelClick() { done(kResultCancel); }

void TfmUpdate::reject() { btnCancelClick(); }

void TfmUpdate::btnUpdateClick() { UpdateNow(); }

void TfmUpdate::UpdateNow() {
  pnMessage->move(pnMessage->x(), 220);
  pnMessage->raise();
  pnMessage->setText(QStringLiteral("Downloading ... Please wait"));
  // The download blocks the window; the message must be on the screen before it starts.
  repaint();

  Services& s = services();
  if (!ExecUpdate()) {
    LogError(kUnit, kSection, QStringLiteral("Update failed to download"), true);
    // Written before the program ends, so that the failure can still be reported next time.
    CloseErrLog();
    s.process->endNow(0);
    done(kResultCancel);
    return;
  }
  if (!s.process->startDetached(TEMPINS, QStringLiteral("/SILENT"))) {
    LogError(kUnit, kSection, QStringLiteral("Unable to start the installer ") + TEMPINS, true);
    done(kResultCancel);  // the program goes on as it was
    return;
  }
  CloseErrLog();
  s.process->endNow(0);
  done(kResultCancel);
}

void TfmUpdate::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  if (Screen* screen = services().screen) {
    const QSize area = screen->size();
    const QSize frame = frameGeometry().size();
    move(std::max(0, (area.width() - frame.width()) / 2),
         std::max(0, (area.height() - frame.height()) / 2));
  }
  guarded([this] { FormActivate(); });
}

}  // namespace hm
