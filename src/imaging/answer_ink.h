// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <vector>

// Which answers of one question hold handwriting. A question's cut-outs share their printed
// content (the box, a figure, the question's number), so what they have in common is taken as
// the background and only what an answer adds to it counts as ink.
namespace imaging {

// A cut-out reduced for judging its ink: grey, each block of 2 × 2 pixels at its darkest, which
// quarters the work; a large cut-out in larger blocks.
struct GreyThumbnail {
    int width = 0;
    int height = 0;
    int block = 2;              // the side of a block in cut-out pixels
    std::vector<quint8> pixels; // row by row, 0 black … 255 white

    [[nodiscard]] bool isNull() const { return pixels.empty(); }
};

[[nodiscard]] GreyThumbnail greyThumbnail(const QImage& cutout);
// The thumbnail of a cut-out file, its rows read in place when it is the workspace's own BMP
// layout; a null thumbnail when the file is missing or cannot be read.
[[nodiscard]] GreyThumbnail readGreyThumbnail(const QString& path);

enum class InkJudgement { Blank, Written, Unknown };

// What one answer holds beyond the question's background.
struct AnswerInk {
    InkJudgement judgement = InkJudgement::Unknown;
    int width = 0;
    int height = 0;
    std::vector<quint8> mask; // 1 where there is ink, thumbnail-sized; empty when Unknown
    int inkPixels = 0;
};

// Judges every answer of one question. With 5 answers or more each cut-out is first moved so
// that its print lines up with the plainest one's (by the darkness along its rows and columns),
// and the question's background is taken from the cut-outs, each darkened over a few pixels so
// that what the move left over still lines up: first the level that three in four of all answers
// are darker than, then the median of the answers that this finds blank and that hold nothing
// beyond the print of the plainest of them (where most pupils wrote alike, their strokes can
// stay in the first level). Ink is what an answer has darker than the background near it by more
// than the scanner's noise; in a small question an answer is left out of its own background. With
// fewer than 5 answers there is no background, and ink is whatever is clearly darker than the
// paper, print included. Specks of dust are left out; an answer with less ink than a short stroke
// is blank. A cut-out that is missing, unreadable or of another size than most is Unknown, never
// blank.
[[nodiscard]] std::vector<AnswerInk> judgeAnswerInk(const std::vector<GreyThumbnail>& cutouts);

} // namespace imaging
