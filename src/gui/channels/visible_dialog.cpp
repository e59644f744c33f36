#include "channels/visible_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kp53::gui {

namespace {
constexpr int kHelpContext = 98364;
// Check box texts by item; item 11 has a box without text that is never shown.
constexpr const char* kBoxTexts[kColumnItems] = {
    "Pr&i",   "&W/N",       "&TAG",     "&Frequency", "S&ub Audio", "Power Sa&ve",
    "&Power", "&Scan",      "T&OT",     "S&quelch",   "Si&gnaling", "",
    "DTMF &ANI", "&Encryption", "&Lock Out", "A&RTS", "&Compander", "&X'tal"};
}  // namespace

CVisibleDlg::CVisibleDlg(const Flags& flags, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Visible"));
  auto* grid = new QGridLayout;
  int shown = 0;
  for (int i = 0; i < kColumnItems; ++i) {
    const auto n = static_cast<std::size_t>(i);
    boxes_[n] = new QCheckBox(QString::fromLatin1(kBoxTexts[i]), this);
    boxes_[n]->setChecked(flags[n] != 0);
    boxes_[n]->installEventFilter(this);
    if (i == 11) {
      boxes_[n]->hide();
      continue;
    }
    grid->addWidget(boxes_[n], shown % 9, shown / 9);
    ++shown;
  }
  dialScan_ = new QCheckBox(QStringLiteral("&Dial Scan Position"), this);
  dialScan_->hide();
  dialScan_->installEventFilter(this);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setAutoDefault(false);
  ok_->setDefault(false);
  buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
  ok_->installEventFilter(this);
  buttons->button(QDialogButtonBox::Cancel)->installEventFilter(this);
  // A click gives the button the focus first, so OK from the button always counts.
  ok_->setFocusPolicy(Qt::StrongFocus);
  connect(buttons, &QDialogButtonBox::accepted, this, &CVisibleDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CVisibleDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  boxes_[0]->setFocus();
}

CVisibleDlg::Flags CVisibleDlg::flags() const {
  Flags f{};
  for (std::size_t i = 0; i < f.size(); ++i) f[i] = boxes_[i]->isChecked() ? 1 : 0;
  return f;
}

void CVisibleDlg::accept() {
  // OK acts only from the OK button itself; Enter on a check box toggles that box.
  if (focusWidget() != ok_) return;
  QDialog::accept();
}

bool CVisibleDlg::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
      if (onHelp) onHelp(kHelpContext);
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (auto* box = qobject_cast<QCheckBox*>(watched)) {
        box->toggle();
        return true;
      }
      if (watched == ok_) {
        accept();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace kp53::gui
