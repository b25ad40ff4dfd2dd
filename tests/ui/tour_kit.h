#pragma once

// What the screenshot tours share: waiting for the screen to settle and
// saving a part of it.

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QTest>

inline void Settle(int ms = 400) { QTest::qWait(ms); }

// Saves `area` of the screen, with a margin round it, as `name` in `folder`.
inline void Save(const QString& folder, const QString& name, QRect area) {
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    screen.copy(area.adjusted(-12, -12, 12, 12)).save(QDir(folder).filePath(name));
}

// The output folder named on the command line, created; empty when none is named.
inline QString OutputFolder(int argc, char** argv) {
    if (argc < 2) return {};
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    return out;
}
