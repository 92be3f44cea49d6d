// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_import.h"

#include "imaging/scan_conversion.h"
#include "scan_listing.h"
#include "text_data_backup.h"
#include "workspace/atomic_file.h"
#include "workspace/folders.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace steps {

bool areDuplexBacks(int blankPages, int storedPages)
{
    return blankPages > 0 && blankPages < storedPages && 3 * blankPages >= storedPages;
}

SheetImport::SheetImport(workspace::Workspace workspace, QString sourceFolder,
                         BlankPages blankPages, Registration registration)
    : m_workspace(std::move(workspace))
    , m_sourceFolder(std::move(sourceFolder))
    , m_blankPages(blankPages)
    , m_registration(registration)
{
}

workspace::Status SheetImport::checkSource() const
{
    const QString sheets =
        QFileInfo(m_workspace.path(workspace::paths::sheetFolder())).canonicalFilePath();
    const QString source = QFileInfo(m_sourceFolder).canonicalFilePath();
    if (sheets.isEmpty() || source.isEmpty())
        return {};
    if (source != sheets && !source.startsWith(sheets + u'/'))
        return {};
    return workspace::Failure{
        u"選んだフォルダ「%1」は、読み込んだ答案を保存する作業フォルダ内のフォルダです。\n"
        u"ここから読み込むと答案がすべて消えてしまうため、読み込みを中止しました。"
        u"スキャンした画像のあるフォルダを選んでください。"_s.arg(
            workspace::displayPath(m_sourceFolder))};
}

workspace::Status SheetImport::prepare(const QDateTime& now)
{
    if (workspace::Status backedUp =
            backUpTextData(m_workspace.path(workspace::paths::dataFolder()), now);
        !backedUp)
        return workspace::Failure{backedUp.error()
                                  + u"\n答案の読み込みを中止しました。何も削除していません。"_s};
    if (workspace::Status emptied =
            workspace::prepareEmptyFolder(m_workspace.path(workspace::paths::sheetFolder()));
        !emptied)
        return emptied;
    m_pages = listScanPages(m_sourceFolder);
    m_notWritten.assign(m_pages.size(), false);
    m_blank.assign(m_pages.size(), false);
    m_otherPaper.assign(m_pages.size(), false);
    m_fits.assign(m_pages.size(), std::nullopt);
    m_redrawn.assign(m_pages.size(), false);
    return {};
}

workspace::Status SheetImport::convertPage(int index, const imaging::SheetFitting* fitting)
{
    const imaging::BlankCheck blankCheck =
        m_blankPages == BlankPages::Drop ? imaging::BlankCheck::Judge : imaging::BlankCheck::Skip;
    const imaging::ScanConversion conversion = imaging::convertScanPage(
        m_pages[index], m_workspace.path(workspace::paths::sheetImage(index + 1)),
        {blankCheck, &m_pdfFiles, fitting});
    m_notWritten[index] = conversion.notWritten;
    m_blank[index] = conversion.blank;
    m_otherPaper[index] = conversion.otherPaper;
    return conversion.status;
}

void SheetImport::convertFirstPage()
{
    m_firstPageStatus = convertPage(0, nullptr);
    if (!m_firstPageStatus)
        return;
    const workspace::Expected<QByteArray> bytes =
        workspace::readWholeFile(m_workspace.path(workspace::paths::sheetImage(1)));
    if (!bytes)
        return;
    auto fitting =
        std::make_unique<SheetRegistration>(m_workspace, static_cast<int>(m_pages.size()));
    if (fitting->prepareFrom(*bytes))
        m_fitting = std::move(fitting);
}

workspace::Status SheetImport::convert(int index)
{
    if (m_registration == Registration::Off)
        return convertPage(index, nullptr);
    // Whichever thread comes first stores the first page; the others wait for it.
    std::call_once(m_firstPageOnce, [this] { convertFirstPage(); });
    if (index == 0)
        return m_firstPageStatus;
    if (!m_fitting)
        return convertPage(index, nullptr);
    const imaging::SheetFitting fitting = [this, index](QByteArray bmp) {
        m_fits[index] = m_fitting->fit(bmp);
        if (!m_fits[index] || !m_fits[index]->needsMove)
            return bmp;
        m_redrawn[index] = true;
        return m_fitting->redrawn(bmp, *m_fits[index]);
    };
    return convertPage(index, &fitting);
}

std::optional<RegistrationOutcome> SheetImport::finishRegistration(const std::vector<int>& numbers,
                                                                   int sheetCount,
                                                                   ImportOutcome& outcome)
{
    const bool firstIsSheetOne = m_fitting && !numbers.empty() && numbers[0] == 1;
    if (firstIsSheetOne) {
        m_fitting->setSheetCount(sheetCount);
        QList<workspace::Status> checks(std::max(0, sheetCount - 1));
        for (std::size_t index = 1; index < numbers.size(); ++index) {
            const int number = numbers[index];
            if (number < 2)
                continue;
            if (m_fits[index])
                m_fitting->adopt(number, *m_fits[index]);
            else
                checks[number - 2] =
                    workspace::Failure{u"答案「%1」を読めません。"_s.arg(workspace::displayPath(
                        m_workspace.path(workspace::paths::sheetImage(number))))};
        }
        m_fitting->decide(checks);
    }
    for (std::size_t index = 1; index < numbers.size(); ++index) {
        const int number = numbers[index];
        if (number == 0 || !m_redrawn[index] || (firstIsSheetOne && m_fitting->moves(number)))
            continue;
        // Lined up with a page that did not become sheet 1, or moved although most sheets do
        // not match sheet 1: stored as scanned after all.
        const QString path = m_workspace.path(workspace::paths::sheetImage(number));
        if (const imaging::ScanConversion again = imaging::convertScanPage(m_pages[index], path);
            !again.status)
            outcome.notStored.append(again.status.error());
    }
    if (!firstIsSheetOne)
        return std::nullopt;
    return m_fitting->finish(QList<workspace::Status>(m_fitting->moveCount()));
}

ImportOutcome SheetImport::finish(const QList<workspace::Status>& results)
{
    // The pages' files are closed before the teacher sees the messages.
    m_pdfFiles.close();
    int storedPages = 0;
    int blankPages = 0;
    for (qsizetype index = 0; index < results.size(); ++index) {
        storedPages += results[index].ok();
        blankPages += results[index].ok() && m_blank[index];
    }
    const bool dropBlank =
        m_blankPages == BlankPages::Drop && areDuplexBacks(blankPages, storedPages);

    ImportOutcome outcome;
    std::vector<int> numbers(results.size(), 0);
    for (qsizetype index = 0; index < results.size(); ++index) {
        if (!results[index]) {
            (m_notWritten[index] ? outcome.notStored : outcome.skipped)
                .append(results[index].error());
            continue;
        }
        const QString stored =
            m_workspace.path(workspace::paths::sheetImage(static_cast<int>(index) + 1));
        // A blank page that cannot be removed stays a sheet, so that the numbering has no gap.
        if (dropBlank && m_blank[index] && QFile::remove(stored)) {
            outcome.blankDropped.append(m_pages[index].displayName());
            continue;
        }
        const int number = outcome.sheetCount + 1;
        // Every earlier sheet already has its final, lower number, so the target is free.
        const QString target = m_workspace.path(workspace::paths::sheetImage(number));
        if (stored != target && !QFile::rename(stored, target)) {
            QFile::remove(stored);
            outcome.notStored.append(u"ファイル「%1」を「%2」として保存できません。"_s.arg(
                m_pages[index].displayName(), workspace::displayPath(target)));
            continue;
        }
        outcome.sheetCount = number;
        numbers[index] = number;
        if (m_otherPaper[index])
            outcome.otherPaper.append(
                u"%1 → %2枚目の答案"_s.arg(m_pages[index].displayName(), QString::number(number)));
    }
    if (m_registration == Registration::On)
        outcome.registration = finishRegistration(numbers, outcome.sheetCount, outcome);
    return outcome;
}

} // namespace steps
