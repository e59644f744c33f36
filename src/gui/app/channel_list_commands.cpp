#include "app/channel_list_commands.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "csv/channel_csv.h"
#include "io/atomic_file.h"
#include "io/input_file.h"

namespace kp53::gui {

namespace {

// A message of the file layer as a sentence of a message box.
std::string Sentence(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

const QString kFilter = QStringLiteral("Channel lists (*.csv);;All files (*)");

}  // namespace

CChannelListCommands::CChannelListCommands(CMainFrame& frame, UserPrompt& prompt)
    : QObject(&frame), frame_(frame), prompt_(prompt) {
  setObjectName(QStringLiteral("channelListCommands"));
  chooseScope = [this](bool import) { return AskScope(import); };
  chooseFile = [this](bool import) { return AskFile(import); };
  showReport = [this](const QString& title, const QString& text) { ShowReport(title, text); };
}

CChannelListCommands::Scope CChannelListCommands::AskScope(bool import) {
  const auto& t = frame_.Doc().Data().channels;
  QMessageBox box(&frame_);
  box.setIcon(QMessageBox::Question);
  box.setWindowTitle(import ? QStringLiteral("Import Channels") : QStringLiteral("Export Channels"));
  const QString group = QString::fromStdString(t.groupName[static_cast<std::size_t>(t.currentGroup)]);
  box.setText(import ? QStringLiteral("Import the channel list into %1, its Location counting from the group's "
                                      "first channel, or into all allocated channels?")
                           .arg(group)
                     : QStringLiteral("Export the channels of %1, or of all groups?").arg(group));
  QPushButton* one = box.addButton(QStringLiteral("&Current Group"), QMessageBox::AcceptRole);
  QPushButton* all = box.addButton(QStringLiteral("&All Groups"), QMessageBox::AcceptRole);
  box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(one);
  QCheckBox* renumber = nullptr;
  if (import) {
    // Lists made for other radios count from 0 or run past the end: their rows go one after another.
    renumber = new QCheckBox(QStringLiteral("&Renumber: place the rows one after another from the first channel"));
    renumber->setObjectName(QStringLiteral("renumber"));
    box.setCheckBox(renumber);
  }
  box.exec();
  const bool again = renumber && renumber->isChecked();
  if (box.clickedButton() == one) return {t.currentGroup, again};
  if (box.clickedButton() == all) return {kAllGroups, again};
  return kNoScope;
}

QString CChannelListCommands::AskFile(bool import) {
  if (import) return QFileDialog::getOpenFileName(&frame_, QStringLiteral("Import Channels"), {}, kFilter);
  QFileDialog dlg(&frame_, QStringLiteral("Export Channels"), {}, kFilter);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDefaultSuffix(QStringLiteral("csv"));
  return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().front() : QString();
}

void CChannelListCommands::ShowReport(const QString& title, const QString& text) {
  QDialog dlg(&frame_);
  dlg.setWindowTitle(title);
  auto* view = new QPlainTextEdit(text, &dlg);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Wide enough for the longest line on most screens; a longer one scrolls.
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    widest = std::max(widest, view->fontMetrics().horizontalAdvance(line));
  view->setMinimumSize(std::clamp(widest + 40, 480, 1000), 280);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dlg);
  connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
  auto* v = new QVBoxLayout(&dlg);
  v->addWidget(view);
  v->addWidget(buttons);
  dlg.exec();
}

void CChannelListCommands::Import() {
  CRM90Doc& doc = frame_.Doc();
  frame_.View()->CommitGroupTag();
  const Scope scope = chooseScope(true);
  if (scope.group == kNoScope) return;
  const QString path = chooseFile(true);
  if (path.isEmpty()) return;
  // Never a device or FIFO, never more than a channel list may hold: the window must not wait.
  const InputFile file = ReadInputFile(path.toStdString(), kTextFileLimit);
  if (!file.ok()) {
    prompt_.Show(Sentence(DescribeInputFailure(path.toStdString(), file, kTextFileLimit, "a channel list")), Icon::Stop,
                 Buttons::Ok);
    return;
  }
  doc.BeginChange();
  const CsvImportReport report =
      ImportChannelsCsv(doc.Data(), file.bytes, scope.group, scope.renumber);
  frame_.View()->RefreshAll();
  doc.EndChange();
  const std::string name = QFileInfo(path).fileName().toStdString();
  if (!report.readable) {
    std::string message = report.Text(name);
    message.pop_back();  // the line end
    prompt_.Show(message, Icon::Stop, Buttons::Ok);
    return;
  }
  showReport(QStringLiteral("Import Channels - %1").arg(QFileInfo(path).fileName()),
             QString::fromStdString(report.Text(name)));
}

void CChannelListCommands::Export() {
  CRM90Doc& doc = frame_.Doc();
  frame_.View()->CommitGroupTag();
  const int scope = chooseScope(false).group;
  if (scope == kNoScope) return;
  const QString path = chooseFile(false);
  if (path.isEmpty()) return;
  // The user agreed to replace a file that was there when it was chosen; one that appears
  // afterwards is left alone.
  const Replace replace = QFileInfo::exists(path) ? Replace::Allowed : Replace::Never;
  const std::string text = ExportChannelsCsv(doc.Data(), scope);
  const AtomicWriteResult r = WriteFileAtomically(path.toStdString(), {text}, replace);
  if (!r.ok())
    prompt_.Show(r.status == AtomicWrite::Exists
                     ? path.toStdString() + " appeared after it was chosen; it is left as it is."
                     : Sentence(DescribeWriteFailure(path.toStdString(), r)),
                 Icon::Stop, Buttons::Ok);
}

void RegisterChannelListCommands(CMainFrame& frame, UserPrompt& prompt) {
  auto* commands = new CChannelListCommands(frame, prompt);  // owned by the frame
  frame.RegisterCommand(cmd::kImportChannels, [commands] { commands->Import(); });
  frame.RegisterCommand(cmd::kExportChannels, [commands] { commands->Export(); });
}

}  // namespace kp53::gui
