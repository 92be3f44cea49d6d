// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspace_paths.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace fuzzing {

// A work folder of its own for the whole run, where each input is placed as the file a step reads.
[[nodiscard]] const workspace::Workspace& scratchWorkspace();

// Writes the input as the workspace file, replacing what the previous input left; the full path.
QString placeInput(const QString& relative, QByteArrayView input);

// Removes a workspace file, so that what a step leaves can be told from what an earlier one left.
void removeFile(const QString& relative);

// The first property that did not hold.
class Findings {
public:
    void require(bool holds, const QString& what);
    // A reader's refusal must name the file it refuses, so that the teacher knows which one.
    void requireNamed(const QString& message, const QString& path);
    [[nodiscard]] const std::optional<QString>& first() const { return m_first; }

private:
    std::optional<QString> m_first;
};

} // namespace fuzzing
