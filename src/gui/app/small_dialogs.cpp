#include "app/small_dialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/color_label.h"
#include "text/messages.h"

namespace {
QFont Courier(int points) {
  QFont f(QStringLiteral("Courier New"), points);
  f.setStyleHint(QFont::TypeWriter);
  return f;
}
}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About"));
  auto* version = new ColorLabel(this);
  version->setObjectName(QStringLiteral("version"));
  version->setText(QString::fromStdString(kp53::FormatMessage(1006, kp53::MessageText(120))));
  version->setFont(Courier(24));
  version->setAlignment(Qt::AlignCenter);
  auto* product = new ColorLabel(this);
  product->setObjectName(QStringLiteral("product"));
  product->setText(QStringLiteral("HT-620A Series Programming Software"));
  product->setFont(Courier(10));
  product->setAlignment(Qt::AlignCenter);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(24, 20, 24, 12);
  v->setSpacing(12);
  v->addWidget(version);
  v->addWidget(product);
  v->addWidget(buttons);
}

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("Password"));
  edit_->setEchoMode(QLineEdit::Password);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* v = new QVBoxLayout(this);
  v->addWidget(edit_);
  v->addWidget(buttons);
}

QString PasswordDialog::Text() const { return edit_->text(); }
