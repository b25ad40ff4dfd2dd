#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "course/resources.h"
#include "temp_dir.h"
#include "ui/cursor_source.h"
#include "ui/picture_cache.h"

// The interface pictures in a fresh folder, a cursor the test places itself,
// and plain host widgets to put the skin's pieces on.
class SkinTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    SkinTest() {
        const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
        qv::ExtractPictures(pack, dir_.path());
        pictures_ = std::make_unique<qv::PictureCache>(QString::fromStdString((dir_.path() / "Graphics").string()));
    }

    // A move of the mouse to wherever the cursor was placed, as the window
    // under it would receive it.
    static void SendMove(QWidget* to, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), to->mapToGlobal(QPointF(1, 1)), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(to, &move);
    }
    static void SendButton(QWidget* to, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, QPointF(1, 1), to->mapToGlobal(QPointF(1, 1)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(to, &event);
    }

    TempDir dir_;
    qv::PlacedCursor cursor_;
    std::unique_ptr<qv::PictureCache> pictures_;
};
