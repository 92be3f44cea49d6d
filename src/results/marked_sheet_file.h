#pragma once

#include "workspace/expected.h"

#include <QByteArray>
#include <QString>

namespace results {

// Writes a marked sheet through a temporary file beside it renamed into place, so
// that no half-written sheet ever stands under its name. Unlike the workspace's other files it
// is not forced to disk file by file: the marked sheets are rebuilt by every run from the
// sheets and the score files, and waiting for the disk on each of 500 sheets of 12 MB would
// make the step several times slower.
workspace::Status writeMarkedSheetFile(const QString& path, const QByteArray& bytes);

} // namespace results
