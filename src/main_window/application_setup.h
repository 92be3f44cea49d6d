// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace main_window {

// What every start of the program sets up before its first window: the Japanese font with a
// real bold face, Qt's own dialog buttons in Japanese, and the image reader's size limit.
// False, after telling the teacher, when the Shift-JIS converter is missing: no workspace file
// could be read or written without it.
[[nodiscard]] bool prepareApplication();

} // namespace main_window
