// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace workspace {

// One region's line of ini/kanten.txt: "label,fullMarks".
struct RegionViewpoint {
    // The evaluation viewpoint the region counts toward; empty for none (a name field).
    QString label;
    // The question's full marks as a numeric text; empty when they are the highest score given.
    QString fullMarks;

    // The full marks when they are set.
    [[nodiscard]] std::optional<double> fullMarksValue() const;

    friend bool operator==(const RegionViewpoint&, const RegionViewpoint&) = default;
};

// Why a viewpoint cannot be stored, or nothing when it can: a label holding a comma or a line
// break, full marks that are neither empty nor a numeric text from 0 to 2147483647.
[[nodiscard]] std::optional<QString> viewpointProblem(const RegionViewpoint& viewpoint);

// ini/kanten.txt: line r belongs to region r. Fails naming the file (by `name`) and line on a
// 102nd line, a line that is not two fields, or a field viewpointProblem refuses.
[[nodiscard]] Expected<QList<RegionViewpoint>> decodeViewpoints(const QByteArray& bytes,
                                                                const QString& name);
// The same for the file at path; a missing file gives no viewpoints.
[[nodiscard]] Expected<QList<RegionViewpoint>> readViewpoints(const QString& path);

// One line per region. Fails naming the region, and leaves the old file whole, when a
// viewpoint cannot be stored.
Status writeViewpoints(const QString& path, const QList<RegionViewpoint>& viewpoints);

} // namespace workspace
