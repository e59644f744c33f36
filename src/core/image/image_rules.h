// The rules of the parameter and signalling dialogs that change the image beyond one field. The
// dialogs call them; so do the tests, without a window.
#pragma once

#include <string>
#include <vector>

#include "image/common_options_area.h"
#include "image/radio_data.h"

namespace kp53 {

// --- Signalling type -----------------------------------------------------------------------------
// Switches the signalling system to `type` (0 2-tone, 1 5-tone). Choosing the type that is set
// changes nothing and answers false. Otherwise: byte 7 bit 0 gets the type; every channel loses its
// signalling (record byte 3 kind and number, the entry's number) and the sixteen 2-tone system
// bytes become 0; the new type's areas get their defaults (2-tone: parameters, systems, encode;
// 5-tone: general, format timing, systems, decode, encode). The DTMF block, the 2-tone table and
// the user tones keep their contents. Answers true; the caller sets the modified flag.
bool ChangeSignalingType(RadioData& data, int type);

// The Signaling-menu commands 32783 to 32795 that a type enables: bit (command - 32783).
unsigned SignalingMenuMask(int type);

// --- Option board --------------------------------------------------------------------------------
// A new option board chosen in the Option dialog: stores it in `options`; when it is not the
// SCB-31 every channel with "Page" signalling loses it; when the old board was the VMU-140 and the
// new one is not, every channel loses its signalling. Changed channels are stored into the image.
void ChangeOptionBoard(RadioData& data, CommonOptionsArea& options, int newBoard);
// The recorder fields (record mode, play mode, power-on record) are editable only with the VRU-8.
bool RecorderFieldsEnabled(int optionBoard);
// The paging dialogs are editable only with the SCB-31.
bool PagingEnabled(int optionBoard);
// OK of the Option dialog: stores `options`; without the Omnitrunk board every Omnitrunk group
// becomes conventional and the channel table is stored into the image.
void ApplyOptionOk(RadioData& data, const CommonOptionsArea& options);

// --- Hardware ------------------------------------------------------------------------------------
// A model chosen in the Hardware dialog: "HT-620 Series" gets the "16 Key" front keypad,
// "HT-610 Series" "None  ".
void ApplyModelChange(HardwareArea& hardware, CommonOptionsArea& options, int model);
// The model-independent part of a confirmed band change: the band defaults of the family,
// DefaultSplit 0.0, every channel in use at 150.0 MHz (VHF) or 450.0 MHz (UHF). Reading the band's
// default data file is the document's business and comes between the two.
void ApplyBandDefaults(RadioData& data, bool uhf);
void ResetChannelsForBand(RadioData& data, bool uhf);
// OK of the Hardware dialog: stores the front keypad and DefaultSplit; for the "HT-610 Series"
// clears what it lacks (the A-D key functions, the key holding time of byte 6 bit 7, the 5-tone
// ANI and tag display flags and the display digits); then normalises the image.
void ApplyHardwareOk(RadioData& data, const CommonOptionsArea& options, double defaultSplit);

// The frequency-range list of a band family: the range code at a list position and back; -1
// outside the list, or for a code the family's list does not offer.
int RangeCodeOfItem(bool uhf, int item);
int RangeItemOfCode(bool uhf, int code);
// The channel-step list: its position is the band index, less 2 for UHF.
int StepItemOfBandIndex(int bandIndex);
int BandIndexOfStepItem(bool uhf, int item);

// --- Miscellaneous -------------------------------------------------------------------------------
// The squelch tail elimination list offered for a stored code: all four items while the code is 2
// ("Rev. Burst "), otherwise "Disabled", "No Tone ", "180        ".
struct ChoiceItem {
  std::string text;
  int code;
};
std::vector<ChoiceItem> SquelchTailItems(int storedCode);

// --- Emergency -----------------------------------------------------------------------------------
// The emergency channel list: "current Channel", "Priority Channel", then "CH-n  " for every
// allocated channel. The item index is the emergency channel value.
std::vector<std::string> EmergencyChannelItems(const ChannelTable& channels);
// The same list as the Emergency dialog shows it: each channel item followed by the channel's tag
// when the user named it ("CH-16  EMERG").
std::vector<std::string> EmergencyChannelChoices(const ChannelTable& channels);

}  // namespace kp53
