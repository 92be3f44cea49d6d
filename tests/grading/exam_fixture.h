// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/grading_state.h"
#include "temporary_workspace.h"
#include "workspace/region_rect.h"

#include <QList>
#include <QSize>
#include <QStringList>

#include <optional>

namespace grading_test {

// A cut workspace for the grading window: sheets (tiny, since only their existence counts),
// regions, and optionally score, comment and roster files and the region cut-outs.
class Exam {
public:
    Exam(int sheets, QList<workspace::RegionRect> regions);

    Exam& scores(QStringList lines);
    Exam& comments(QStringList lines);
    Exam& roster(QStringList names);
    // Solid cut-outs of every region, in cutoutColour(sheet).
    Exam& cutouts();

    void write(const test_support::TemporaryWorkspace& folder) const;

private:
    int m_sheets = 0;
    QList<workspace::RegionRect> m_regions;
    std::optional<QStringList> m_scoreLines;
    std::optional<QStringList> m_commentLines;
    std::optional<QStringList> m_roster;
    bool m_withCutouts = false;
};

// A region of the given size in sheet pixels.
[[nodiscard]] workspace::RegionRect regionOfSize(int width, int height);

// The cut-out colour of a sheet, so that a test can tell the answers apart.
[[nodiscard]] QColor cutoutColour(int sheet);

// Loads the workspace; fails the test when loading fails.
[[nodiscard]] grading::GradingTables loadTables(const test_support::TemporaryWorkspace& folder);

} // namespace grading_test
