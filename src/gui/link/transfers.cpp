#include "link/transfers.h"

#include <QApplication>
#include <QFileInfo>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "compare/compare_dialog.h"
#include "link/file_data_dialog.h"
#include "link/findings_dialog.h"
#include "link/serial_port.h"

namespace kp53::gui {

CTransferCommands::CTransferCommands(CMainFrame& frame, UserPrompt& prompt)
    : QObject(&frame), frame_(frame), prompt_(prompt) {
  auto& ctx = frame_.Doc().Context();
  gauge_ = std::make_unique<CAccessGaugeDlg>(prompt_, ctx.productionMode, &frame_);
  portFactory = [&ctx](LinkFlags& flags) -> std::unique_ptr<LinkPort> {
    return std::make_unique<CSerialPort>(ctx.settings.DevicePath(ctx.settings.comPort), flags);
  };
  frame_.RegisterCommand(cmd::kUpload, [this] { Upload(); });
  frame_.RegisterCommand(cmd::kDownload, [this] { Download(); });
  frame_.RegisterCommand(cmd::kAlignment, [this] { Alignment(); });
  frame_.RegisterCommand(cmd::kCompareWithRadio, [this] { CompareWithRadio(); });
  frame_.View()->onProductionDownload = [this] { ProductionDownload(); };
  frame_.View()->onFileData = [this] { FileData(); };
}

void CTransferCommands::Prepare() {
  // The grid gets the focus first, so that a pending group-tag edit is committed now and nothing
  // of the window touches the channel model while the worker owns it.
  frame_.View()->CommitGroupTag();
  frame_.View()->Grid()->setFocus();
  NormalizeImage(frame_.Doc().Data());
  const auto& ctx = frame_.Doc().Context();
  link_.comPort = ctx.settings.comPort;
  link_.portName = std::to_string(ctx.settings.comPort);
  link_.speedIndex = ctx.settings.comSpeed;
  link_.maintenanceMode = ctx.maintenanceMode;
  link_.productionMode = ctx.productionMode;
  link_.modified = ctx.modified;
  link_.marketingEdited = ctx.marketingEdited;
  link_.documentPath = ctx.currentPath;
  link_.uploadCompleted = false;
  link_.readBack = ctx.settings.readBack;
}

void CTransferCommands::Finish(int refreshCode) {
  auto& ctx = frame_.Doc().Context();
  ctx.modified = link_.modified;
  ctx.marketingEdited = link_.marketingEdited;
  ReloadAreas(frame_.Doc().Data());
  if (refreshCode) frame_.ApplyRefresh(refreshCode);
}

int CTransferCommands::Upload() {
  Prepare();
  LinkSlot slot(portFactory);
  auto& data = frame_.Doc().Data();
  const int result = gauge_->run(CAccessGaugeDlg::kUpload, [&](ProgressSink& sink, UserPrompt& p, const CancelToken& c) {
    RunUploadWorker({data, slot, link_, sink, p, c});
  });
  if (result == QDialog::Accepted) {
    // Every end the worker brought about, a failed one too, leaves an untitled document.
    frame_.Doc().Context().currentPath = kNoPath;
    frame_.UpdateTitle();
  }
  slot.Destroy();
  Finish(1);
  if (result == QDialog::Accepted) frame_.Doc().ClearHistory();  // a new image: nothing to undo
  return result;
}

int CTransferCommands::RunDownload(bool refresh) {
  Prepare();
  auto& data = frame_.Doc().Data();
  // Production-mode repeats run inside the gauge with the same image: the check comes once.
  if (!ConfirmDownload(data, &frame_)) return QDialog::Rejected;
  LinkSlot slot(portFactory);
  const double split = data.defaultSplit;
  const DifferenceNamer names = [split](const RadioImage& written, const RadioImage& radio) {
    return config::DifferingFields(written, radio, split);
  };
  const int result = gauge_->run(
      CAccessGaugeDlg::kDownload,
      [&](ProgressSink& sink, UserPrompt& p, const CancelToken& c) {
        RunDownloadWorker({data, slot, link_, sink, p, c, names});
      },
      QString::fromStdString(frame_.Doc().Context().currentPath), [&data] { return data.identity.serialNumber; });
  slot.Destroy();
  Finish(refresh ? 1 : 0);
  if (gauge_->quitRequested()) QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  return result;
}

int CTransferCommands::Download() { return RunDownload(true); }

int CTransferCommands::ProductionDownload() { return RunDownload(false); }

int CTransferCommands::CompareWithRadio() {
  Prepare();
  LinkSlot slot(portFactory);
  auto& data = frame_.Doc().Data();
  RadioImage radio{};
  TransferResult read = TransferResult::Failed;
  const int result = gauge_->run(CAccessGaugeDlg::kUpload, [&](ProgressSink& sink, UserPrompt& p, const CancelToken& c) {
    read = RunScratchReadWorker({data, slot, link_, sink, p, c}, radio);
  });
  slot.Destroy();
  if (read != TransferResult::Completed) return result;
  config::ConfigModel radioModel, docModel;
  radioModel.Load(radio, data.defaultSplit);
  docModel.Load(data.image, data.defaultSplit);
  const QString name = QFileInfo(QString::fromStdString(frame_.Doc().Context().currentPath)).fileName();
  CompareDialog dlg(config::Diff(radioModel, docModel), QStringLiteral("Radio"), name, &frame_,
                    QStringLiteral("Compare with Radio"));
  dlg.exec();
  return result;
}

void CTransferCommands::FileData() {
  frame_.View()->CommitGroupTag();
  NormalizeImage(frame_.Doc().Data());
  CFileDataDlg dlg(frame_.Doc().Data(), &frame_);
  if (dlg.exec() == QDialog::Accepted) frame_.Doc().SetModified();
  frame_.ApplyRefresh(1);
}

}  // namespace kp53::gui
