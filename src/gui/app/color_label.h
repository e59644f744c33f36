// ColorLabel: a static text with its own text and background colours, font options, a sunken or
// bordered frame, blinking text or colour, and a hyperlink mode that opens its text when clicked.
#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <QTimer>

class ColorLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ColorLabel(QWidget* parent = nullptr);

  void SetTextColor(const QColor& c);
  void SetBkColor(const QColor& c);
  // Negative values are point heights as the platform's font calls take them; either sign works.
  void SetFontSize(int height);
  void SetFontBold(bool on);
  void SetFontItalic(bool on);
  void SetFontUnderline(bool on);
  void SetSunken(bool on);
  void SetBorder(bool on);
  // Blinking text: every 500 ms the text is cleared and put back. Off restores it.
  void FlashText(bool on);
  // Blinking colour: every 500 ms the background alternates with the window colour.
  void FlashBackground(bool on);
  // Hyperlink mode: a click opens the text (a web address or a file); `cursor` shows over it.
  void SetLink(bool on, const QCursor& cursor = QCursor(Qt::PointingHandCursor));

  QColor TextColor() const { return text_; }
  QColor BkColor() const { return back_; }
  bool IsLink() const { return link_; }
  bool FlashPhase() const { return phase_; }

 signals:
  void LinkOpened(const QString& target);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Repaint();
  void Tick();

  QColor text_;
  QColor back_;
  QString savedText_;
  QTimer timer_;
  bool flashText_ = false;
  bool flashBack_ = false;
  bool phase_ = false;
  bool link_ = false;
};
