#include "signalling/page_setting_dialog.h"

#include <QFormLayout>

#include "image/common_options_area.h"
#include "image/image_rules.h"
#include "signalling/prompt_fit.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

constexpr HelpTopic kTopics[] = {
    {CPageSettingDlg::kDtmfSpeed, "Paging DTMF Speed",
     "<p>How long each digit of a page code sounds. The paging settings need the SCB-31 option "
     "board (Common &gt; Option).</p>"},
    {CPageSettingDlg::kAnswerBack, "Paging Answer Back",
     "<p>Whether the radio answers a page addressed to it.</p>"},
    {CPageSettingDlg::kCallTimes, "Paging Call Times", "<p>How many times a received page alerts.</p>"},
    {CPageSettingDlg::kAutoResetTime, "Paging Auto Reset Time",
     "<p>The time after which the radio leaves a received page by itself.</p>"},
};

}  // namespace

CPageSettingDlg::CPageSettingDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Page Setting Parameters"), parent) {
  paging_.LoadFromImage(Data().image);
  CommonOptionsArea options;
  options.LoadFromImage(Data().image);

  QFormLayout* form = AddForm();
  for (int id : {kDtmfSpeed, kAnswerBack, kCallTimes, kAutoResetTime}) AddList(form, fields::List(id));
  ShowIndex(kDtmfSpeed, paging_.dtmfSpeed);
  ShowIndex(kAnswerBack, paging_.answerBack);
  ShowIndex(kCallTimes, paging_.callTimes);
  ShowIndex(kAutoResetTime, paging_.autoResetTime);
  for (int id : {kDtmfSpeed, kAnswerBack, kCallTimes, kAutoResetTime})
    SetFieldEnabled(id, ListEditable(fields::List(id), ListContext{.optionBoard = options.optionBoard}));
  FitPromptsInWidth(*this, kDtmfSpeed, kAutoResetTime);
}

std::span<const HelpTopic> CPageSettingDlg::HelpTopics() { return kTopics; }

void CPageSettingDlg::OnSelectionChanged(int id, int index) {
  switch (id) {
    case kDtmfSpeed: paging_.dtmfSpeed = index; break;
    case kAnswerBack: paging_.answerBack = index; break;
    case kCallTimes: paging_.callTimes = index; break;
    case kAutoResetTime: paging_.autoResetTime = index; break;
    default: break;
  }
}

void CPageSettingDlg::OnOk() {
  paging_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
