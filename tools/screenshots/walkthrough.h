// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace screenshots {

class Camera;

// Grades the sample examination in the work folder through every numbered button of the real
// program, as the README walks a newcomer through it, and photographs each step.
void photographWalkthrough(const QString& workFolder, Camera& camera);

} // namespace screenshots
