// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_actions.h"

#include "imaging/picture_loading.h"
#include "main_window.h"
#include "results/print_step.h"
#include "steps/result_computation.h"
#include "widgets/busy_pointer.h"
#include "widgets/progress_run.h"
#include "workspace/limits.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace main_window {

ResultActions::ResultActions(MainWindow& window, const Controls& controls)
    : QObject(&window)
    , m_window(window)
    , m_controls(controls)
{
    connect(m_controls.compute, &QPushButton::clicked, this, &ResultActions::computeResults);
    connect(m_controls.previous, &QPushButton::clicked, this, &ResultActions::showPrevious);
    connect(m_controls.next, &QPushButton::clicked, this, &ResultActions::showNext);
    connect(m_controls.resultNumber, &QLineEdit::returnPressed, this,
            &ResultActions::jumpToTypedNumber);
    connect(m_controls.print, &QPushButton::clicked, this, &ResultActions::print);
    connect(m_controls.gradeTable, &QPushButton::clicked, this, &ResultActions::openGradeTable);
}

void ResultActions::setPrintDestination(results::PrintDestination destination)
{
    m_printDestination = std::move(destination);
}

void ResultActions::computeResults()
{
    const imaging::SheetSurface& surface = m_window.sheetSurface();
    const std::optional<QSize> shownPicture =
        surface.isNull() ? std::nullopt : std::optional<QSize>(surface.pictureSize());
    const steps::RankDisplay rankDisplay =
        m_controls.showRank->isChecked() ? steps::RankDisplay::Shown : steps::RankDisplay::Hidden;
    steps::ResultOutcome outcome;
    {
        // Reading and checking the inputs comes before the progress dialog shows.
        const widgets::BusyPointer busy;
        outcome = steps::computeResults(m_window.workspace(), rankDisplay, shownPicture,
                                        [this](int count, const workspace::IndexedWork& work) {
                                            return widgets::runWithProgress(
                                                &m_window, u"採点結果を答案に書き込んでいます"_s,
                                                count, work);
                                        });
    }
    if (outcome.status == steps::ResultStatus::Saved)
        QMessageBox::information(&m_window, workspace::applicationTitle(), outcome.message);
    else
        QMessageBox::warning(&m_window, workspace::applicationTitle(), outcome.message);
    if (!outcome.lastSheet.isNull())
        m_window.replaceSheetSurface(std::move(outcome.lastSheet));
}

bool ResultActions::markedSheetExists(int sheet) const
{
    return QFileInfo::exists(m_window.workspace().path(paths::markedSheet(sheet)));
}

void ResultActions::showPrevious()
{
    apply(m_browser.previous([this](int sheet) { return markedSheetExists(sheet); }));
}

void ResultActions::showNext()
{
    apply(m_browser.next([this](int sheet) { return markedSheetExists(sheet); }));
}

void ResultActions::jumpToTypedNumber()
{
    apply(m_browser.jump(m_controls.resultNumber->text(),
                         [this](int sheet) { return markedSheetExists(sheet); }));
}

void ResultActions::apply(const results::BrowseStep& step)
{
    if (step.shownSheet) {
        workspace::Expected<QImage> picture =
            imaging::loadPicture(m_window.workspace().path(paths::markedSheet(*step.shownSheet)));
        if (!picture) {
            QMessageBox::warning(&m_window, workspace::applicationTitle(), picture.error());
            return;
        }
        m_window.showPicture(*picture);
    }
    switch (step.numberBox) {
    case results::NumberBox::Keep: break;
    case results::NumberBox::ShowNumber:
        m_controls.resultNumber->setText(QString::number(*step.shownSheet));
        break;
    case results::NumberBox::Clear: m_controls.resultNumber->clear(); break;
    }
}

void ResultActions::print()
{
    results::runPrintStep(&m_window, m_window.workspace(), m_printSettings, m_printDestination,
                          m_window.shownPicture(),
                          [this](const QImage& picture) { m_window.showPicture(picture); });
}

void ResultActions::openGradeTable()
{
    const workspace::Workspace& workFolder = m_window.workspace();
    const QString path = workFolder.path(paths::gradeTable());
    if (!QFileInfo::exists(path))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::warning(
            &m_window, workspace::applicationTitle(),
            u"成績表を開くプログラムを起動できませんでした。\n次のファイルを表計算ソフトで開いてください。\n%1"_s
                .arg(workspace::displayPath(path)));
}

} // namespace main_window
