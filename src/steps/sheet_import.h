// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/open_pdf_files.h"
#include "imaging/scan_conversion.h"
#include "imaging/scan_page.h"
#include "sheet_registration.h"
#include "workspace/expected.h"
#include "workspace/workspace_paths.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace steps {

// What an import left in touan/.
struct ImportOutcome {
    int sheetCount = 0;
    // One message per page that is not a readable picture, naming the page and the reason, in
    // page order. These are skipped; the import still succeeds with the others.
    QStringList skipped;
    // One message per readable page whose sheet could not be written (a full disk): the import
    // did not succeed.
    QStringList notStored;
    // The pages left out as the blank backs of a duplex scan, by name, in page order.
    QStringList blankDropped;
    // The stored pages of a PDF whose paper differs from its first page's (a sheet of another
    // form in the pile), by name and the sheet they became, in page order.
    QStringList otherPaper;
    // What lining the sheets up with sheet 1 did, when the import did it; nothing when it was not
    // asked to, or when sheet 1 is not the first page (left out as a blank back, not a picture)
    // and the sheets are still to be lined up with it (SheetRegistration).
    std::optional<RegistrationOutcome> registration;
};

// Whether an import leaves out the blank pages of a duplex scan.
enum class BlankPages { Keep, Drop };

// Whether an import lines every sheet up with sheet 1 as it stores it.
enum class Registration { Off, On };

// Whether the blank pages among the stored ones are the backs of a duplex scan, to be left out:
// at least a third of the pages are blank, and not every one of them (a pile of nothing but
// blank pages is a faint scan more likely than no sheet at all).
[[nodiscard]] bool areDuplexBacks(int blankPages, int storedPages);

// One import of a folder of scans: the workspace's sheet set is replaced by the scans' pages,
// stored as touan/001.bmp, 002.bmp, … in natural name order of the files and page order within
// a file, and the text data of the previous examination is moved out of ini/. The conversions
// may run on several threads at once; the numbering is then made gap-free in page order, so the
// result is that of a plain loop.
class SheetImport {
public:
    SheetImport(workspace::Workspace workspace, QString sourceFolder,
                BlankPages blankPages = BlankPages::Keep,
                Registration registration = Registration::Off);

    // Refuses the workspace's own sheet folder, or a folder inside it, as the source: it would be
    // emptied before it is read.
    [[nodiscard]] workspace::Status checkSource() const;

    // Moves the text data into a dated backup folder, empties touan/ (creating it when missing)
    // and lists the pages of the scans. On failure nothing further is deleted.
    workspace::Status prepare(const QDateTime& now);

    // The pages of the scans, each to become one sheet.
    [[nodiscard]] const QList<imaging::ScanPage>& pages() const { return m_pages; }

    // Stores page `index` as sheet index + 1 for now. Safe to call from several threads at once
    // for different pages. With registration, the first page is stored first, as it is, and
    // every other page is lined up with it before it is written, so that no sheet is written
    // twice.
    [[nodiscard]] workspace::Status convert(int index);

    // Renumbers the stored sheets 1 … N in page order after the conversions, given their results
    // in index order; leaves out the blank backs of a duplex scan when asked to and they are.
    ImportOutcome finish(const QList<workspace::Status>& results);

private:
    [[nodiscard]] workspace::Status convertPage(int index, const imaging::SheetFitting* fitting);
    // Stores the first page and takes it as the reference of the others.
    void convertFirstPage();
    // The registration's outcome once the sheets are numbered (`numbers`: each page's sheet, 0
    // for none); sheets lined up against a page that did not become sheet 1, or that most
    // sheets do not match, are stored as scanned again.
    std::optional<RegistrationOutcome> finishRegistration(const std::vector<int>& numbers,
                                                          int sheetCount, ImportOutcome& outcome);

    workspace::Workspace m_workspace;
    QString m_sourceFolder;
    BlankPages m_blankPages;
    QList<imaging::ScanPage> m_pages;
    imaging::OpenPdfFiles m_pdfFiles;
    // Per page, as its conversion found it (ScanConversion): its picture was read and its sheet
    // not written; it is blank; its paper differs from its PDF's first page. char, not bool: each
    // thread sets its own pages' elements, which std::vector<bool> would pack into shared words.
    std::vector<char> m_notWritten;
    std::vector<char> m_blank;
    std::vector<char> m_otherPaper;

    Registration m_registration;
    std::once_flag m_firstPageOnce;
    workspace::Status m_firstPageStatus;
    // Made from the first page; none when it is not a stored sheet.
    std::unique_ptr<SheetRegistration> m_fitting;
    // Per page: how it lay against the first page (nothing when it could not be read), and
    // whether it was stored redrawn.
    std::vector<std::optional<SheetFit>> m_fits;
    std::vector<char> m_redrawn;
};

} // namespace steps
