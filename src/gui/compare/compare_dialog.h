// File > Compare with File... and Radio > Compare with Radio...: the fields in which two
// configurations differ, by area, in a sortable tree. Long values are elided; the tooltip holds
// the whole text.
#pragma once

#include <QDialog>

#include <vector>

#include "config/config_text.h"
#include "ports.h"

class QTreeWidget;

class CompareDialog : public QDialog {
 public:
  CompareDialog(const std::vector<kp53::config::Difference>& diffs, const QString& openName, const QString& otherName,
                QWidget* parent = nullptr, const QString& title = QStringLiteral("Compare with File"));
  QTreeWidget* Tree() const { return tree_; }

 private:
  QTreeWidget* tree_;
};

// Chooses a data file or configuration text and shows its compare with `data`; messages go to
// `prompt`.
void RunCompareWithFile(const kp53::RadioData& data, const QString& openName, kp53::UserPrompt& prompt,
                        QWidget* parent);
// The same with the file chosen: a file that cannot be read (a device, a FIFO, too large, no
// data file or text) is a message at once, and no compare.
void CompareWithPath(const kp53::RadioData& data, const QString& openName, const QString& path,
                     kp53::UserPrompt& prompt, QWidget* parent);
