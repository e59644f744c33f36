#include "app/color_label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

ColorLabel::ColorLabel(QWidget* parent) : QLabel(parent) {
  text_ = palette().color(QPalette::WindowText);
  back_ = palette().color(QPalette::Window);
  setAutoFillBackground(true);
  timer_.setInterval(500);
  connect(&timer_, &QTimer::timeout, this, &ColorLabel::Tick);
}

void ColorLabel::Repaint() {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, text_);
  p.setColor(QPalette::Window, (flashBack_ && phase_) ? palette().color(QPalette::Base) : back_);
  setPalette(p);
  update();
}

void ColorLabel::SetTextColor(const QColor& c) {
  text_ = c;
  Repaint();
}

void ColorLabel::SetBkColor(const QColor& c) {
  back_ = c;
  Repaint();
}

void ColorLabel::SetFontSize(int height) {
  QFont f = font();
  f.setPointSize(std::max(1, height < 0 ? -height : height));
  setFont(f);
}

void ColorLabel::SetFontBold(bool on) {
  QFont f = font();
  f.setWeight(on ? QFont::Bold : QFont::Normal);
  setFont(f);
}

void ColorLabel::SetFontItalic(bool on) {
  QFont f = font();
  f.setItalic(on);
  setFont(f);
}

void ColorLabel::SetFontUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void ColorLabel::SetSunken(bool on) {
  setFrameShape(on ? QFrame::Panel : QFrame::NoFrame);
  setFrameShadow(on ? QFrame::Sunken : QFrame::Plain);
}

void ColorLabel::SetBorder(bool on) {
  setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
  setFrameShadow(QFrame::Plain);
}

void ColorLabel::FlashText(bool on) {
  if (on == flashText_) return;
  if (on) {
    savedText_ = text();
  } else {
    setText(savedText_);
  }
  flashText_ = on;
  phase_ = false;
  if (flashText_ || flashBack_) timer_.start(); else timer_.stop();
}

void ColorLabel::FlashBackground(bool on) {
  flashBack_ = on;
  phase_ = false;
  if (flashText_ || flashBack_) timer_.start(); else timer_.stop();
  Repaint();
}

void ColorLabel::SetLink(bool on, const QCursor& cursor) {
  link_ = on;
  if (on) setCursor(cursor); else unsetCursor();
}

void ColorLabel::Tick() {
  phase_ = !phase_;
  if (flashText_) setText(phase_ ? QString() : savedText_);
  if (flashBack_) Repaint();
}

void ColorLabel::mousePressEvent(QMouseEvent* event) {
  if (link_ && event->button() == Qt::LeftButton) {
    const QString target = flashText_ ? savedText_ : text();
    const QUrl url = QUrl::fromUserInput(target);
    emit LinkOpened(target);
    QDesktopServices::openUrl(url);
    return;
  }
  QLabel::mousePressEvent(event);
}
