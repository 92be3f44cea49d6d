// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_import.h"

#include "imaging/scan_conversion.h"
#include "scan_listing.h"
#include "text_data_backup.h"
#include "workspace/folders.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace steps {

SheetImport::SheetImport(workspace::Workspace workspace, QString sourceFolder)
    : m_workspace(std::move(workspace))
    , m_sourceFolder(std::move(sourceFolder))
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
    return {};
}

workspace::Status SheetImport::convert(int index)
{
    imaging::ScanConversion conversion = imaging::convertScanPage(
        m_pages[index], m_workspace.path(workspace::paths::sheetImage(index + 1)));
    m_notWritten[index] = conversion.notWritten;
    return conversion.status;
}

ImportOutcome SheetImport::finish(const QList<workspace::Status>& results) const
{
    ImportOutcome outcome;
    for (qsizetype index = 0; index < results.size(); ++index) {
        if (!results[index]) {
            (m_notWritten[index] ? outcome.notStored : outcome.skipped)
                .append(results[index].error());
            continue;
        }
        const int number = outcome.sheetCount + 1;
        const QString stored =
            m_workspace.path(workspace::paths::sheetImage(static_cast<int>(index) + 1));
        // Every earlier sheet already has its final, lower number, so the target is free.
        const QString target = m_workspace.path(workspace::paths::sheetImage(number));
        if (stored != target && !QFile::rename(stored, target)) {
            QFile::remove(stored);
            outcome.notStored.append(u"ファイル「%1」を「%2」として保存できません。"_s.arg(
                m_pages[index].displayName(), workspace::displayPath(target)));
            continue;
        }
        outcome.sheetCount = number;
    }
    return outcome;
}

} // namespace steps
