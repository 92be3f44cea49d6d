// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>

class QPainter;

namespace sample_exam {

// The way one student writes: letter size and slant, how the line climbs, how far the strokes
// stray from a printed letter, how even the letters are, the pen and the ink. Two students'
// hands differ enough to tell their sheets apart; every hand stays legible.
struct Hand {
    double letterSize = 60;   // pixels from the top of a kanji to its foot
    double slant = 0;         // horizontal shift of a stroke per pixel of its height
    double lineTilt = 0;      // degrees the line of writing climbs
    double wobble = 1.5;      // pixels the strokes stray from the printed shape
    double wobbleLength = 30; // pixels between two bends of a stroke
    double unevenness = 0.05; // spread of size, turn and height between letters
    double spacing = 1.0;     // letter advance as a share of the printed advance
    double thinning = 1.0;    // pixels a stroke is thinner than printed, on each side
    QColor ink;
    quint32 seed = 0;

    // A hand of its own for each writer number; the same number always gives the same hand.
    [[nodiscard]] static Hand forWriter(quint32 writer);
};

// Writes the text in the hand, starting at the left end of its baseline. The same hand and text
// come out the same every time.
void writeByHand(QPainter& painter, const QString& text, QPointF baselineStart, const Hand& hand);

} // namespace sample_exam
