// The clock modes' ticks: time of day, alarm and date, read afresh from the
// host's local time on every tick.
#include "Device.h"

namespace tavro {

namespace {

// Keeps a value from a misbehaving clock inside 0..modulus-1.
int wrap(int value, int modulus) {
  return ((value % modulus) + modulus) % modulus;
}

}  // namespace

void Device::invertColon() {
  lcd_.setVisible(im_panel_time_colon, !lcd_.visible(im_panel_time_colon));
}

void Device::Timer_ClockTimer() {
  const LocalDateTime now = clock_.now();
  int h = wrap(now.hour, 24);
  const int m = wrap(now.minute, 60);
  if (h >= 12) {
    h -= 12;
    lcd_.setVisible(im_panel_time_am, false);
    lcd_.setVisible(im_panel_time_pm, true);
  } else {
    lcd_.setVisible(im_panel_time_am, true);
    lcd_.setVisible(im_panel_time_pm, false);
  }
  if (h == 0) h = 12;
  lcd_.setDigit(1, h <= 9 ? -1 : h / 10);
  lcd_.setDigit(2, h % 10);
  lcd_.setDigit(3, m / 10);
  lcd_.setDigit(4, m % 10);
  invertColon();
  t(TimerId::Clock).setInterval(500);
}

void Device::Timer_AlarmTimer() {
  invertColon();
  t(TimerId::Alarm).setInterval(500);
}

void Device::Timer_DateTimer() {
  const LocalDateTime now = clock_.now();
  const int mo = wrap(now.month - 1, 12) + 1;
  const int d = wrap(now.day - 1, 31) + 1;
  lcd_.setDigit(1, mo <= 9 ? -1 : mo / 10);
  lcd_.setDigit(2, mo % 10);
  lcd_.setDigit(3, d <= 9 ? -1 : d / 10);
  lcd_.setDigit(4, d % 10);
  invertColon();
  t(TimerId::Date).setInterval(500);
}

}  // namespace tavro
