#include "ui/hover_ticker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "skin_fixture.h"

namespace {

// A pointer that Qt says is over the window, or not.
class KnownCursor : public qv::CursorSource {
public:
    QPoint Pos() const override { return {}; }
    void SetPos(QPoint) const override {}
    bool MayBeOver(const QWidget&) const override { return over; }
    bool over = false;
};

using HoverTickerTest = SkinTest;

// The timer runs while the pointer may be over the window, rests once a tick
// has followed the last event that may change a look, and wakes on the next.
TEST_F(HoverTickerTest, TicksOnlyWhileALookCanChange) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    QWidget other;
    auto* timer = new QTimer(&window);
    timer->setInterval(20);
    int ticks = 0;
    QObject::connect(timer, &QTimer::timeout, [&] { ++ticks; });
    KnownCursor cursor;
    auto* hover = new qv::HoverTicker(&window, timer, cursor);
    const auto key = [](QWidget* to) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(to, &press);
    };
    const auto pointer = [&](bool over) {
        cursor.over = over;
        QEvent event(over ? QEvent::Enter : QEvent::Leave);
        QCoreApplication::sendEvent(&window, &event);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        bool ticks;    // a tick follows it
        bool goesOn;   // and ticks go on after that
    };
    const std::vector<Step> steps = {
        {"started, the pointer elsewhere", [&] { hover->Start(); }, true, false},
        {"a key in the window", [&] { key(field); }, true, false},
        {"a key in another window", [&] { key(&other); }, false, false},
        {"the pointer over the window", [&] { pointer(true); }, true, true},
        {"the pointer gone", [&] { pointer(false); }, true, false},
        {"stopped", [&] { hover->Stop(); key(field); }, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const int before = ticks;
        step.act();
        QTest::qWait(120);  // a tick or more, and the rest that follows
        EXPECT_EQ(ticks > before, step.ticks);
        const int settled = ticks;
        QTest::qWait(120);
        EXPECT_EQ(ticks > settled, step.goesOn);
        EXPECT_EQ(timer->isActive(), step.goesOn);
    }
}

}  // namespace
