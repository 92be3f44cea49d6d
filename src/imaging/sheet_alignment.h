// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet_pixels.h"

#include <QSize>
#include <QTransform>

#include <memory>
#include <optional>

namespace imaging {

// What the alignment of a sheet to the reference found.
struct SheetAlignment {
    enum class Outcome {
        Aligned,
        // The sheet shows too few printed rules and boxes to be aligned (a blank page).
        NoForm,
        // Its rules and boxes do not match the reference's well enough (another form, a damaged
        // scan): it must not be moved.
        NotConfident,
    };
    Outcome outcome = Outcome::NotConfident;
    // Maps a pixel of the reference sheet to the place on the scan that shows the same point of
    // the form: the scan turned upside down, shifted, turned and scaled. Pixel centres lie at
    // whole coordinates.
    QTransform referenceToScan;
    bool upsideDown = false;
    // How well the printed lines match after alignment, from 0 (not at all) to 1.
    double confidence = 0;
};

// The printed form of the first sheet that every other sheet is aligned to: its long straight
// rules and box edges, which are the same on every copy of a form, as opposed to the handwriting,
// which differs on every sheet. Built once and shared by the threads that align sheets.
class AlignmentReference {
public:
    [[nodiscard]] static AlignmentReference fromSheet(const SheetPixels& sheet);

    // Whether the sheet shows enough printed rules, across and down, to align others to it.
    [[nodiscard]] bool hasForm() const;
    [[nodiscard]] QSize sheetSize() const { return m_sheetSize; }

    // Estimates how the sheet lies against the reference: turned upside down or not, then
    // shifted, turned by a few degrees and scaled by a few percent. Never throws; a sheet that
    // cannot be matched comes back NoForm or NotConfident.
    [[nodiscard]] SheetAlignment align(const SheetPixels& sheet) const;

    struct Form;

private:
    std::shared_ptr<const Form> m_form;
    QSize m_sheetSize;
};

// The largest distance, in pixels, by which the transform moves a point of a page of the given
// size from where it was: an affine map moves no point of a rectangle further than its corners.
[[nodiscard]] double largestMove(const QTransform& referenceToScan, QSize page);

} // namespace imaging
