#include "channels/allocation_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "channels/tag_input.h"
#include "image/channel_editing.h"
#include "params/filtered_edit.h"
#include "text/messages.h"

namespace kp53::gui {

namespace {
constexpr int kHelpContext = 335;
constexpr int kTooManyChannels = 6;

QString GroupLabel(int g) {
  if (g < 9) return QStringLiteral("Grp &%1").arg(g + 1);
  return QStringLiteral("Grp %1(&%2)").arg(g + 1).arg(QChar('A' + (g - 9)));
}
}  // namespace

CAllocationDlg::CAllocationDlg(RadioData& radio, int optionBoard, bool ht620, std::function<void()> markModified,
                               QWidget* parent)
    : QDialog(parent),
      data_(radio),
      optionBoard_(optionBoard),
      ht620_(ht620),
      markModified_(std::move(markModified)),
      groupAtOpen_(radio.channels.currentGroup) {
  setWindowTitle(QStringLiteral("Channel Allocation/Group Tag"));
  auto* grid = new QGridLayout;
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  for (int g = 0; g < kGroupCount; ++g) {
    const auto i = static_cast<std::size_t>(g);
    const int row = g % 8;
    const int col = (g / 8) * 4;
    auto* label = new QLabel(GroupLabel(g), this);
    size_[i] = new CFilteredEdit(this, kGroupSizeFilterMode, kGroupSizeLength);
    tag_[i] = new CFilteredEdit(this, 4, 8);
    type_[i] = new QComboBox(this);
    size_[i]->setFont(mono);
    tag_[i]->setFont(mono);
    size_[i]->setFixedWidth(size_[i]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    tag_[i]->setFixedWidth(tag_[i]->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWW")) + 12);
    label->setBuddy(size_[i]);
    size_[i]->setTextQuietly(QString::fromStdString(GroupSizeText(data_.channels.groupSize[i])));
    tag_[i]->setTextQuietly(ht620_ ? QString::fromStdString(data_.channels.groupTag[i]) : QString(8, ' '));
    if (!ht620_) tag_[i]->setEnabled(false);
    TagInput::Attach(tag_[i]);
    if (data_.channels.groupSize[i] == 0) data_.channels.groupSystemType[i] = 0;
    fillTypeList(g);
    grid->addWidget(label, row, col);
    grid->addWidget(size_[i], row, col + 1);
    grid->addWidget(tag_[i], row, col + 2);
    grid->addWidget(type_[i], row, col + 3);
    connect(size_[i], &CFilteredEdit::editFinished, this,
            [this, g](const QString& t, bool modified) { commitSize(g, t, modified); });
    connect(tag_[i], &CFilteredEdit::editFinished, this,
            [this, g](const QString& t, bool modified) { commitTag(g, t, modified); });
    connect(type_[i], QOverload<int>::of(&QComboBox::activated), this, [this, g](int position) {
      if (EnterGroupSystemType(data_.channels, g, optionBoard_, position)) markModified_();
    });
    for (QWidget* w : {static_cast<QWidget*>(size_[i]), static_cast<QWidget*>(tag_[i]), static_cast<QWidget*>(type_[i])})
      w->installEventFilter(this);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setAutoDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &CAllocationDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CAllocationDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void CAllocationDlg::fillTypeList(int g) {
  const auto i = static_cast<std::size_t>(g);
  QComboBox* box = type_[i];
  box->clear();
  for (std::string_view item : GroupSystemTypeItems(optionBoard_))
    box->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
  const int type = data_.channels.groupSystemType[i];
  box->setCurrentIndex(type < box->count() ? type : -1);
  box->setEnabled(GroupSystemTypeEditable(data_.channels, g));
}

void CAllocationDlg::commitSize(int g, const QString& text, bool modified) {
  if (!modified) return;
  const auto i = static_cast<std::size_t>(g);
  const bool ok = EnterGroupSize(data_.channels, g, text.toStdString()) == GroupSizeEntry::Stored;
  size_[i]->setText(QString::fromStdString(GroupSizeText(data_.channels.groupSize[i])));
  markModified_();
  if (ok) {
    fillTypeList(g);
  } else {
    QMessageBox::critical(this, windowTitle(), QString::fromUtf8(MessageText(kTooManyChannels).data(),
                                                                  static_cast<int>(MessageText(kTooManyChannels).size())));
    size_[i]->setFocus();
  }
}

void CAllocationDlg::commitTag(int g, const QString& text, bool modified) {
  if (!modified) return;
  CommitGroupTag(data_.channels, g, text.toStdString());
  markModified_();
}

bool CAllocationDlg::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_F1) {
      if (onHelp) onHelp(kHelpContext);
      return true;
    }
    // Enter opens a drop-down list instead of closing the dialog.
    if (auto* box = qobject_cast<QComboBox*>(watched);
        box && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
      box->showPopup();
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

void CAllocationDlg::accept() {
  // OK acts only from the OK button itself; Enter in a field finishes that field.
  if (focusWidget() != ok_) return;
  data_.channels.RecountGroups();
  QDialog::accept();
}

void CAllocationDlg::reject() {
  data_.channels.currentGroup = groupAtOpen_;
  ReloadAreas(data_);
  data_.channels.currentGroup = groupAtOpen_;
  data_.channels.NormalizeCurrentGroup();
  QDialog::reject();
}

}  // namespace kp53::gui
