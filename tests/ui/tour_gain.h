#pragma once

// The report's learning gain and the mistakes sheet, for the README's pictures.

#include <QString>

#include "course/resources.h"
#include "mainwindow/main_window.h"
#include "temp_dir.h"
#include "ui/cursor_source.h"

// Writes both attempts' answers and results of paper `paper` (1..50) of
// module 2, with the first `firstRight` and `secondRight` percent of its
// parts right and the wrong parts answered as pupils slip.
void WriteBothAttempts(const qv::ResourceSource& pack, const TempDir& dir, int paper, double firstRight,
                       double secondRight);

// The open report's "Learning Gain" section, and the first page of the
// module's mistakes sheet drawn from its PDF.
void GainAndMistakes(qv::MainWindow& window, qv::PlacedCursor& cursor, const qv::ResourceSource& pack,
                     const TempDir& dir, const QString& out);
