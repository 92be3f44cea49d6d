// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_export.h"

#include "imaging/bmp_codec.h"
#include "imaging/bmp_rows.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/jpeg_encoding.h"
#include "imaging/picture_loading.h"
#include "imaging/sheet_surface.h"
#include "paper_size.h"
#include "pdf_names.h"
#include "workspace/atomic_file.h"
#include "workspace/file_messages.h"
#include "workspace/folders.h"
#include "workspace/roster_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace steps {

namespace {

// Problems listed in one message at most; the rest are counted.
constexpr int kListedProblems = 10;

std::optional<imaging::BmpHeaderInfo> scanHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return imaging::bmpHeaderInfo(file.read(imaging::kBmpHeadersSize));
}

// The picture's rows as blue, green and red bytes, read in place from the workspace's own BMP
// layout or decoded from any other picture.
struct MarkedPicture {
    QByteArray bytes;
    std::optional<imaging::BmpRows> rows;
    QImage decoded;

    [[nodiscard]] QSize size() const { return rows ? rows->size() : decoded.size(); }
    [[nodiscard]] const uchar* row(int y) const
    {
        return rows ? rows->row(y) : decoded.constScanLine(y);
    }
};

workspace::Expected<MarkedPicture> readMarkedPicture(const QString& path)
{
    MarkedPicture picture;
    workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path);
    if (!bytes)
        return workspace::Failure{bytes.error()};
    picture.bytes = std::move(bytes).value();
    picture.rows = imaging::BmpRows::fromBytes(picture.bytes);
    if (picture.rows)
        return picture;
    workspace::Expected<QImage> decoded = imaging::decodePicture(picture.bytes, path);
    if (!decoded)
        return workspace::Failure{decoded.error()};
    picture.decoded = decoded->convertToFormat(QImage::Format_BGR888);
    return picture;
}

QString listed(const QStringList& problems)
{
    QStringList lines = problems.first(std::min<qsizetype>(problems.size(), kListedProblems));
    if (problems.size() > kListedProblems)
        lines.append(u"ほか%1件"_s.arg(problems.size() - kListedProblems));
    return lines.join(u'\n');
}

// Full colour resolution keeps the red marks crisp down to these qualities; a clean scan
// fits at the first.
constexpr int kPageQualities[] = {75, 70, 60, 50, 40, 30};

QByteArray encodeWithinBudget(QSize size, const imaging::BgrRowAt& rowAt)
{
    const double budget = kPageBytesPerPixel * size.width() * size.height();
    QByteArray jpeg;
    for (const int quality : kPageQualities) {
        jpeg = imaging::encodeJpeg(size, rowAt, quality);
        if (jpeg.isEmpty() || jpeg.size() <= budget)
            break;
    }
    return jpeg;
}

workspace::Status writePdf(const QString& path, const QString& title, const QList<PdfPage>& pages)
{
    return imaging::writeDerivedFile(
        path, [&](QIODevice& device) { return writeImagePdf(device, title, pages); });
}

} // namespace

int markedSheetCount(const workspace::Workspace& workFolder)
{
    int count = 0;
    while (QFileInfo::exists(workFolder.path(paths::markedSheet(count + 1))))
        ++count;
    return count;
}

QString noMarkedSheetsMessage(const workspace::Workspace& workFolder)
{
    return u"PDFにする採点結果がありません（%1）。\n先に「6.採点実行」で採点結果を作ってください。"_s
        .arg(workspace::displayPath(workFolder.path(paths::markedSheet(1))));
}

int filesInPdfFolder(const workspace::Workspace& workFolder)
{
    return static_cast<int>(QDir(workFolder.path(paths::pdfFolder()))
                                .entryList(QDir::Files | QDir::Hidden | QDir::System)
                                .size());
}

workspace::Expected<PdfPage> markedSheetPage(const workspace::Workspace& workFolder, int sheet)
{
    const QString path = workFolder.path(paths::markedSheet(sheet));
    workspace::Expected<MarkedPicture> picture = readMarkedPicture(path);
    if (!picture)
        return workspace::Failure{picture.error()};
    const std::optional<imaging::BmpHeaderInfo> scan =
        scanHeader(workFolder.path(paths::sheetImage(sheet)));
    const bool fromScan =
        scan && imaging::SheetSurface::surfacePixels(scan->size) == picture->size();
    const QSize shown = fromScan ? scan->size : picture->size();
    const QByteArray jpeg = encodeWithinBudget(shown, [&](int y) { return picture->row(y); });
    if (jpeg.isEmpty())
        return workspace::Failure{
            workspace::messages::cannotRead(path, u"PDFのページに変換できませんでした。"_s)};
    return PdfPage{jpeg, shown, paperSizePoints(shown, fromScan ? scan->pixelsPerMetre : 0)};
}

PdfExportOutcome exportPdfs(const workspace::Workspace& workFolder,
                            const workspace::ParallelRunner& runSheets)
{
    PdfExportOutcome outcome;
    outcome.folder = workFolder.path(paths::pdfFolder());
    const int sheetCount = markedSheetCount(workFolder);
    if (sheetCount == 0) {
        outcome.status = PdfExportStatus::NoMarkedSheets;
        outcome.message = noMarkedSheetsMessage(workFolder);
        return outcome;
    }
    QStringList names;
    if (const QString rosterPath = workFolder.path(paths::rosterFile());
        QFileInfo::exists(rosterPath)) {
        workspace::Expected<QStringList> roster = workspace::readRoster(rosterPath);
        if (!roster) {
            outcome.message = roster.error();
            return outcome;
        }
        names = *roster;
    }
    if (workspace::Status emptied = workspace::prepareEmptyFolder(outcome.folder); !emptied) {
        outcome.message = emptied.error();
        return outcome;
    }

    std::vector<PdfPage> pages(static_cast<size_t>(sheetCount));
    const QList<workspace::Status> results =
        runSheets(sheetCount, [&](int index) -> workspace::Status {
            const int sheet = index + 1;
            workspace::Expected<PdfPage> page = markedSheetPage(workFolder, sheet);
            if (!page)
                return workspace::Failure{page.error()};
            pages[static_cast<size_t>(index)] = *page;
            const QString name = names.value(index).trimmed();
            return writePdf(QDir(outcome.folder).filePath(studentPdfName(sheet, name)),
                            name.isEmpty() ? workspace::numberText(sheet) : name, {*page});
        });
    QStringList problems;
    for (const workspace::Status& result : results) {
        if (result)
            ++outcome.savedFiles;
        else
            problems.append(result.error());
    }
    if (!problems.isEmpty()) {
        outcome.message = u"%1\n\n%2は作りませんでした。保存できたPDFファイルは%3個です。"_s.arg(
            listed(problems), classPdfName(), QString::number(outcome.savedFiles));
        return outcome;
    }

    const workspace::Status classFile =
        writePdf(QDir(outcome.folder).filePath(classPdfName()), u"全員"_s,
                 QList<PdfPage>(pages.begin(), pages.end()));
    if (!classFile) {
        outcome.message = u"%1\n\n保存できたPDFファイルは%2個です。"_s.arg(
            classFile.error(), QString::number(outcome.savedFiles));
        return outcome;
    }
    ++outcome.savedFiles;
    outcome.status = PdfExportStatus::Saved;
    return outcome;
}

} // namespace steps
