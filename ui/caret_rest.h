#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace qv {

// Stops the text caret blinking once the pupil has left the program alone
// for a while, as desktops do to save work: the caret then stays on, steady.
// The first key, press, wheel or change of focus makes it blink again.
class CaretRest : public QObject {
    Q_OBJECT

public:
    explicit CaretRest(std::chrono::milliseconds after = std::chrono::seconds(5), QObject* parent = nullptr);
    ~CaretRest() override;

    bool resting() const { return resting_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Rest();
    void Wake();

    QTimer timer_;
    int flashTime_;  // the desktop's blink period, given back on waking
    bool resting_ = false;
};

}  // namespace qv
