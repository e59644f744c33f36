// Widens a signalling dialog so that its status bar shows the longest field prompt whole: the
// dialogs with few fields are narrower than their prompts.
#pragma once

#include <QLabel>
#include <QString>
#include <algorithm>

#include "params/param_dialog.h"
#include "text/messages.h"

namespace kp53::gui {

inline void FitPromptsInWidth(CParamDialog& dlg, int firstId, int lastId) {
  const QFontMetrics metrics = dlg.PromptPane()->fontMetrics();
  int widest = 0;
  for (int id = firstId; id <= lastId; ++id) {
    if (!dlg.Field(id)) continue;
    const QString prompt = QString::fromStdString(std::string(MessageText(id))).section(QLatin1Char('\n'), 0, 0);
    widest = std::max(widest, metrics.horizontalAdvance(prompt));
  }
  // The prompt pane, the hint pane beside it and the status bar's own margins.
  // An explicit minimum replaces the layout's own, so it must not fall below what the fields need.
  const int needed = widest + dlg.HintPane()->minimumWidth() + 40;
  if (needed > dlg.minimumSizeHint().width()) dlg.setMinimumWidth(needed);
}

}  // namespace kp53::gui
