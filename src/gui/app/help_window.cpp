#include "app/help_window.h"

#include "app/dialog_commands.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const HelpTopic kTopics[] = {
    {0, "Help Topics",
     "<p>KP53Win reads the configuration memory of an HT-620A Series radio (HT-610 and HT-620 "
     "Series) into the PC, lets you edit it, saves it to data files (.K53) and writes it back to the "
     "radio.</p>"},
    {98376, "Get Started",
     "<ol><li>Connect the programming cable to the radio and to a serial port of the PC, and choose "
     "that port and its speed with <b>File &gt; Configure</b>.</li>"
     "<li>Read the radio with <b>Radio &gt; Upload</b>, or open a data file with <b>File &gt; "
     "Open</b>, or start from the new image that <b>File &gt; New</b> builds from the default "
     "file.</li>"
     "<li>Choose a group with the group selector or <b>F2</b> and edit its channels in the grid; "
     "the <b>Common</b> and <b>Signaling</b> menus open the radio's parameters.</li>"
     "<li>Save the data with <b>File &gt; Save As</b> and write it to the radio with <b>Radio &gt; "
     "Download</b>.</li></ol>"},
    {98377, "Common Problems",
     "<ul><li><b>\"Problem with COM port\"</b>: the port chosen in File &gt; Configure does not "
     "exist or is in use. Pick the device of your cable (for example /dev/ttyUSB0) for that COM "
     "slot.</li>"
     "<li><b>\"The File cannot be Opened\"</b>: the file is not 7735 bytes long, so it is not a "
     "KP53 data file.</li>"
     "<li><b>\"The File's attribute is Read_Only\"</b>: the file may not be written. Use Save As "
     "with another name, or make the file writable.</li>"
     "<li><b>\"Do you want to write default file?\"</b>: the file you save is named defaultv.k53 or "
     "defaultu.k53 and supplies the image of every new document.</li>"
     "<li>A new document has the title &lt;none&gt; and must be saved with Save As.</li></ul>"},
    {98386, "Configuration",
     "<p>Chooses the serial port (COM 1 to COM 16) and the speed of the link with the radio. "
     "9600BPS works with every cable; 19200BPS needs the SIU-12 interface. Each COM slot stands "
     "for a serial device; the list offers the devices found on this computer (USB adapters appear "
     "as /dev/ttyUSB0 and similar). OK opens the port once as a test and reports \"Problem with "
     "COM port\" when that fails.</p>"},
    {98364, "Visible Columns",
     "<p>Chooses which columns of the channel grid are shown. A hidden column keeps its data. "
     "The Item entries of the View menu switch single columns; the choice is kept in "
     "KP53Win.ini.</p>"},
    {300, "Chn (channel number)",
     "<p>The channel's number. Space or a double-click enables or disables the channel; a disabled "
     "channel is shown greyed and is skipped by the radio. Channel 1 cannot be disabled.</p>"},
    {301, "Pri (priority channel)",
     "<p>\"P\" marks the priority channel; only one channel of the radio can be it. Space or a "
     "double-click makes this channel the priority channel or takes it away.</p>"},
    {302, "W/N (bandwidth)",
     "<p>Channel bandwidth: W5 wide (5 kHz deviation), W4 wide (4 kHz), N narrow. Space or a "
     "double-click steps through them.</p>"},
    {303, "TAG (channel alpha tag)",
     "<p>Up to 8 characters shown on the display of HT-620 Series radios. HT-610 Series radios "
     "have no display, so the column is blank for them.</p>"},
    {304, "Receive frequency",
     "<p>Receive frequency in MHz. Typing it also sets the transmit frequency (receive frequency "
     "plus the default split) and the crystal flag. The frequency is snapped to the nearest "
     "channel step of the band.</p>"},
    {305, "Transmit frequency",
     "<p>Transmit frequency in MHz. Space or a double-click switches transmission off on this "
     "channel (shown as ---.-----) and on again.</p>"},
    {306, "Decode sub-audio",
     "<p>The tone the squelch opens on: ------- none, C- a CTCSS tone in Hz, D- a DCS code with "
     "polarity N normal, I inverted or B both. Type C or D to start, Enter opens the list of "
     "tones, F3 changes the DCS polarity.</p>"},
    {307, "Encode sub-audio",
     "<p>The tone sent with the transmission: none, a CTCSS tone or a DCS code (N normal, I "
     "inverted). Type C or D to start, Enter opens the list, F3 changes the DCS polarity.</p>"},
    {308, "Receive power save", "<p>A check mark lets the receiver save battery power on this channel.</p>"},
    {309, "Transmit power save", "<p>A check mark lets the transmitter save power on this channel.</p>"},
    {310, "Power (H/L)", "<p>Transmit power: H high, L low. Space or a double-click switches it.</p>"},
    {311, "Scan (SC)", "<p>A check mark puts the channel on the scan list.</p>"},
    {312, "Time-out timer (TOT)",
     "<p>A check mark limits the length of a transmission on this channel by the time-out "
     "timer.</p>"},
    {313, "Squelch level (SQ)", "<p>Squelch level 0 to 15; a double-click opens the list of levels.</p>"},
    {314, "Signaling number",
     "<p>Which signalling system, page code or option the channel uses; -- for none. A "
     "double-click opens the list for the signalling type.</p>"},
    {315, "Lock out",
     "<p>Busy-channel lockout: -- off, BC transmits only while the channel is clear, BT only "
     "while the channel carries the right tone.</p>"},
    {316, "ARTS",
     "<p>Auto range transponder system: the radio checks that another radio is in range. It needs "
     "DCS on both decode and encode.</p>"},
    {317, "Xtal",
     "<p>Crystal flag, set by the program when the receive frequency lies within 100 ppm of a "
     "multiple of 3.6864 MHz.</p>"},
    {319, "Signaling type",
     "<p>Selective calling on this channel: -- none, Signal (2-tone or 5-tone system), Page "
     "(paging code) or Option (option board).</p>"},
    {320, "DTMF ANI", "<p>A check mark sends the DTMF ANI code at the start of a transmission.</p>"},
    {321, "Encryption (ENCR)",
     "<p>Voice encryption of the option board: - off, 1 backup, 2 no backup, 3 on. A double-click "
     "opens the list.</p>"},
    {322, "Compander (CMPD)", "<p>A check mark switches the audio compander on for this channel.</p>"},
    {335, "Channel Allocations and Group Tags",
     "<p>Distributes the 256 channels over the 16 groups and names each group.</p>"},
    {338, "Group selector",
     "<p>The group whose channels the grid shows. Only groups with channels are listed; F2 "
     "selects the next one.</p>"},
    {339, "Group tag", "<p>Up to 8 characters that name the current group on the radio's display.</p>"},
    {340, "System Type",
     "<p>The current group's system: Conventional, or Omnitrunk when the Omnitrunk option board "
     "is selected in Common &gt; Option.</p>"},
    {1000, "Upload",
     "<p>Reads the whole configuration memory of the radio into the PC. Switch the radio off and "
     "on again when asked.</p>"},
    {1001, "Download",
     "<p>Writes the current data into the radio. The radio's hardware configuration must match "
     "the data.</p>"},
    {1002, "Alignment",
     "<p>Adjusts the radio's alignment values live. Choose a channel in the CH list: the radio tunes "
     "to it and the items show the channel's values. Enter or a double-click on an item's value opens "
     "its value dialog: a slider for the power, sensitivity, deviation, modulation, frequency and "
     "DTMF items (each position is sent to the radio at once; OK keeps it), or a measurement for "
     "RSSI and the squelch items (the radio's reading twice a second; \"Copy -&gt;\" takes it over). "
     "The radio may transmit while an item is adjusted. When the dialog is left with OK, the changed "
     "values can be written into the radio's memory (\"Overwrite original data\"); Cancel leaves the "
     "radio's memory as it was.</p>"},
};

}  // namespace

const HelpTopic* HelpTopics(int& count) {
  count = static_cast<int>(std::size(kTopics));
  return kTopics;
}

const HelpTopic* FindHelpTopic(int context) {
  for (const auto& t : kTopics)
    if (t.context == context) return &t;
  for (const auto& command : kp53::gui::ParamCommands())
    for (const auto& t : command.help)
      if (t.context == context) return &t;
  return nullptr;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("KP53Win Help"));
  resize(560, 440);
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& url) { ShowTopic(url.toString().mid(6).toInt()); });
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* contents = buttons->addButton(QStringLiteral("&Contents"), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* v = new QVBoxLayout(this);
  v->addWidget(browser_);
  v->addWidget(buttons);
  ShowContents();
}

void HelpWindow::ShowContents() {
  current_ = 0;
  QString html = QStringLiteral("<h2>Help Topics</h2>") + QString::fromUtf8(kTopics[0].text) + QStringLiteral("<ul>");
  auto item = [&html](const HelpTopic& t) {
    html += QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>").arg(t.context).arg(QString::fromUtf8(t.title));
  };
  for (const auto& t : kTopics)
    if (t.context != 0) item(t);
  // The parameter dialogs' field topics, dialog by dialog.
  for (const auto& command : kp53::gui::ParamCommands())
    for (const auto& t : command.help) item(t);
  html += QStringLiteral("</ul>");
  browser_->setHtml(html);
  setWindowTitle(QStringLiteral("KP53Win Help - Help Topics"));
}

void HelpWindow::ShowTopic(int context) {
  const HelpTopic* t = FindHelpTopic(context);
  if (!t || context == 0) {
    ShowContents();
    if (context != 0)
      browser_->setHtml(QStringLiteral("<p>There is no topic for help context %1.</p>").arg(context) +
                        browser_->toHtml());
    return;
  }
  current_ = context;
  browser_->setHtml(QStringLiteral("<h2>%1</h2>%2<p><a href=\"topic:0\">Help Topics</a></p>")
                        .arg(QString::fromUtf8(t->title), QString::fromUtf8(t->text)));
  setWindowTitle(QStringLiteral("KP53Win Help - ") + QString::fromUtf8(t->title));
}

QString HelpWindow::CurrentTitle() const {
  const HelpTopic* t = FindHelpTopic(current_);
  return t ? QString::fromUtf8(t->title) : QString();
}
