#pragma once
// SIGTERM, SIGINT and SIGHUP end the program as the Exit command does: the
// event loop ends with status 0 and the windows and samples are released on
// the way out. The signal handler only marks the end as requested (see
// EndRequest) and writes a byte to a socket pair; the event loop, or the loop
// of a box open at that moment, reads it and ends. A signal that was ignored when the program
// started (nohup, a background job) stays ignored, SIGTERM excepted.

#include <QObject>

class QSocketNotifier;

namespace tavro {

class SignalExit : public QObject {
 public:
  // Takes the three signals for as long as it lives (only one at a time).
  explicit SignalExit(QObject* parent = nullptr);
  ~SignalExit() override;
  SignalExit(const SignalExit&) = delete;
  SignalExit& operator=(const SignalExit&) = delete;

 private:
  void readSignal();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tavro
