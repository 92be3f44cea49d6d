// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/scan_page.h"
#include "workspace/expected.h"
#include "workspace/workspace_paths.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace steps {

// What an import left in touan/.
struct ImportOutcome {
    int sheetCount = 0;
    // One message per scan that is not a readable picture, naming the file and the reason, in
    // scan order. These are skipped; the import still succeeds with the others.
    QStringList skipped;
    // One message per readable scan whose sheet could not be written (a full disk): the import
    // did not succeed.
    QStringList notStored;
};

// One import of a folder of scans: the workspace's sheet set is replaced by the scans, stored as
// touan/001.bmp, 002.bmp, … in natural name order, and the text data of the previous
// examination is moved out of ini/. The conversions may run on several threads at once; the
// numbering is then made gap-free in scan order, so the result is that of a plain loop.
class SheetImport {
public:
    SheetImport(workspace::Workspace workspace, QString sourceFolder);

    // Refuses the workspace's own sheet folder, or a folder inside it, as the source: it would be
    // emptied before it is read.
    [[nodiscard]] workspace::Status checkSource() const;

    // Moves the text data into a dated backup folder, empties touan/ (creating it when missing)
    // and lists the pages of the scans. On failure nothing further is deleted.
    workspace::Status prepare(const QDateTime& now);

    // The pages of the scans, each to become one sheet.
    [[nodiscard]] const QList<imaging::ScanPage>& pages() const { return m_pages; }

    // Stores page `index` as sheet index + 1 for now. Safe to call from several threads at once
    // for different pages.
    [[nodiscard]] workspace::Status convert(int index);

    // Renumbers the stored sheets 1 … N in page order after the conversions, given their results
    // in index order.
    ImportOutcome finish(const QList<workspace::Status>& results) const;

private:
    workspace::Workspace m_workspace;
    QString m_sourceFolder;
    QList<imaging::ScanPage> m_pages;
    // Per page: its picture was read and its sheet not written. char, not bool: each thread sets
    // its own pages' elements, which std::vector<bool> would pack into shared words.
    std::vector<char> m_notWritten;
};

} // namespace steps
