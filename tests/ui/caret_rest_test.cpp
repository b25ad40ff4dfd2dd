#include "ui/caret_rest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "skin_fixture.h"

namespace {

using CaretRestTest = SkinTest;

// Left alone, the caret stops blinking (and stays on); the next key brings the
// desktop's blinking back, and so does the end of the program.
TEST_F(CaretRestTest, TheCaretRestsWhileNothingHappens) {
    const int desktop = QApplication::cursorFlashTime();
    ASSERT_GT(desktop, 0);
    QLineEdit field;
    {
        const qv::CaretRest caret(std::chrono::milliseconds(40));
        struct Step {
            const char* what;
            bool key;
            bool resting;
        };
        for (const Step& step : {Step{"left alone", false, true}, Step{"a key", true, false},
                                 Step{"alone again", false, true}}) {
            SCOPED_TRACE(step.what);
            if (step.key) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
                QCoreApplication::sendEvent(&field, &press);
            } else {
                QTest::qWait(120);
            }
            EXPECT_EQ(caret.resting(), step.resting);
            EXPECT_EQ(QApplication::cursorFlashTime(), step.resting ? 0 : desktop);
        }
    }
    EXPECT_EQ(QApplication::cursorFlashTime(), desktop);
}

}  // namespace
