#include "ui/clickable_label.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "skin_fixture.h"
#include "ui/picture_button.h"

namespace {

class ClickableLabelTest : public SkinTest {
protected:
    // The label the pointer acts on, and the one whose clicked() counts.
    struct Target {
        qv::ClickableLabel* pointed;
        qv::ClickableLabel* counted;
    };

    Target Make(const std::string& kind) {
        host_ = std::make_unique<QWidget>();
        host_->resize(200, 100);
        if (kind == "ClickableLabel") {
            auto* label = new qv::ClickableLabel(QStringLiteral("Topic"), host_.get());
            label->setGeometry(10, 10, 80, 20);
            return {label, label};
        }
        auto* button = new qv::PictureButton(QStringLiteral("Button"), *pictures_, host_.get());
        button->setGeometry(10, 10, 80, 30);
        if (kind == "PictureButton") return {button, button};
        auto* caption = new qv::CaptionLabel(QStringLiteral("Caption"), QStringLiteral("OK"), button);
        caption->setGeometry(0, 0, 80, 30);
        return {caption, button};
    }

    std::unique_ptr<QWidget> host_;
};

void Press(QWidget* w, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(w, button, {}, QPoint(5, 5)); }
void Release(QWidget* w, QPoint at = QPoint(5, 5), Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(w, button, {}, at);
}
void DoubleClickEvent(QWidget* w) { QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

TEST_F(ClickableLabelTest, ADoubleClickIsOneClick) {
    struct Gesture {
        const char* name;
        std::function<void(QWidget*)> act;
        int clicks;
        int presses;
    };
    const Gesture gestures[] = {
        {"click", [](QWidget* w) { Press(w); Release(w); }, 1, 1},
        {"double-click, second press as a double-click event",
         [](QWidget* w) { Press(w); Release(w); DoubleClickEvent(w); Release(w); }, 1, 2},
        {"double-click, second press sent before the double-click event",
         [](QWidget* w) { Press(w); Release(w); Press(w); DoubleClickEvent(w); Release(w); }, 1, 2},
        {"double-click, then a click", [](QWidget* w) {
             Press(w); Release(w); DoubleClickEvent(w); Release(w); Press(w); Release(w);
         }, 2, 3},
        {"released outside", [](QWidget* w) { Press(w); Release(w, QPoint(150, 5)); }, 0, 1},
        {"right button", [](QWidget* w) {
             Press(w, Qt::RightButton); Release(w, QPoint(5, 5), Qt::RightButton);
         }, 0, 1},
        {"left released while the right holds it down", [](QWidget* w) {
             Press(w, Qt::RightButton); Press(w); Release(w); Release(w, QPoint(5, 5), Qt::RightButton);
         }, 0, 1},
        {"release without a press", [](QWidget* w) { Release(w); }, 0, 0},
    };
    for (const char* kind : {"ClickableLabel", "PictureButton", "CaptionLabel"}) {
        for (const Gesture& gesture : gestures) {
            const Target target = Make(kind);
            auto* pointed = target.pointed;
            QSignalSpy clicks(target.counted, &qv::ClickableLabel::clicked);
            QSignalSpy presses(pointed, &qv::ClickableLabel::pressed);
            QSignalSpy releases(pointed, &qv::ClickableLabel::released);
            gesture.act(target.pointed);
            EXPECT_EQ(clicks.count(), gesture.clicks) << kind << ": " << gesture.name;
            EXPECT_EQ(presses.count(), gesture.presses) << kind << ": " << gesture.name;
            EXPECT_EQ(releases.count(), presses.count()) << kind << ": " << gesture.name;
            EXPECT_FALSE(pointed->isDown()) << kind << ": " << gesture.name;
        }
    }
}

TEST_F(ClickableLabelTest, ADisabledLabelDoesNotClick) {
    for (const char* kind : {"ClickableLabel", "PictureButton", "CaptionLabel"}) {
        const Target target = Make(kind);
        QSignalSpy clicks(target.counted, &qv::ClickableLabel::clicked);
        target.pointed->click();
        EXPECT_EQ(clicks.count(), 1) << kind;
        target.counted->setEnabled(false);
        target.pointed->click();
        EXPECT_EQ(clicks.count(), 1) << kind;
    }
}

}  // namespace
