// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "temporary_workspace.h"

#include <QStringList>

namespace test_support {

// Every file under the work folder, relative to it with "/" between folders, in name order. A
// temporary file left behind by a failed write shows up here.
[[nodiscard]] QStringList filesUnder(const TemporaryWorkspace& folder);

// Fails the test for every picture file in the work folder, or in one of its folders, that does
// not load whole.
void expectEveryPictureWhole(const TemporaryWorkspace& folder, const QString& under = {});

} // namespace test_support
