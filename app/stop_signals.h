#pragma once

// A request from outside to stop (SIGTERM at a logout or a shutdown, SIGHUP
// when the terminal goes, Ctrl+C in it) becomes an ordinary close of the
// program, which saves the answer on show, instead of an end on the spot.
// The signal handler only writes a byte to a pipe; the window's thread reads
// it and emits `stopRequested`. The handlers there before are put back when
// the object goes. Where there are no such signals (Windows), it does nothing:
// the system closes the windows itself.

#include <QObject>

class QSocketNotifier;

namespace qv {

class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void stopRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace qv
