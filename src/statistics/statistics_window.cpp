// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics_window.h"

#include "rate_bar_delegate.h"
#include "steps/question_statistics.h"
#include "totals_histogram.h"
#include "workspace/folders.h"
#include "workspace/full_width.h"
#include "workspace/limits.h"
#include "workspace/numeric_text.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace statistics {

namespace {

const QColor kWarningColour(255, 224, 178);
const QString kInvalidStyle = u"background: rgb(255, 200, 200);"_s;

QStringList viewpointChoices()
{
    return {QString(), u"知識・技能"_s, u"思考・判断・表現"_s, u"主体的に学習に取り組む態度"_s};
}

QString percentText(std::optional<double> share)
{
    return share ? workspace::decimalText(*share * 100.0) + u'%' : QString();
}

QString numberText(std::optional<double> value)
{
    return value ? workspace::decimalText(*value) : QString();
}

bool isValidFullMarks(const QString& text)
{
    return !workspace::viewpointProblem({QString(), text}).has_value();
}

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

StatisticsWindow::StatisticsWindow(workspace::Workspace workspace, steps::StatisticsSource source,
                                   QWidget* parent)
    : QWidget(parent)
    , m_workspace(std::move(workspace))
    , m_source(std::move(source))
    , m_stored(m_source.setup)
{
    setObjectName(u"statisticsWindow"_s);
    setWindowTitle(u"観点・統計"_s);
    createControls();
    fillRows();
    refreshStatistics();
    // What the controls show of the stored setup, so that opening and closing changes nothing.
    m_stored = draft();

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(1200, available.width() - 40), std::min(760, available.height() - 80));
}

void StatisticsWindow::createControls()
{
    m_table = new QTableWidget(m_source.regionCount, ColumnCount, this);
    m_table->setObjectName(u"questionTable"_s);
    m_table->setHorizontalHeaderLabels({u"問"_s, u"観点"_s, u"満点"_s, u"平均"_s, u"標準偏差"_s,
                                        u"得点率"_s, u"正答率"_s, u"識別指数"_s, u"項目残余相関"_s,
                                        u"見直しのヒント"_s});
    m_table->verticalHeader()->hide();
    m_table->setItemDelegateForColumn(SuccessRateColumn, new RateBarDelegate(m_table));
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(HintColumn, QHeaderView::Stretch);
    // Wide enough for its bar to read at a glance.
    m_table->horizontalHeader()->setSectionResizeMode(SuccessRateColumn, QHeaderView::Fixed);
    m_table->setColumnWidth(SuccessRateColumn, 120);

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"summaryLabel"_s);
    m_summary->setWordWrap(true);
    m_histogram = new TotalsHistogram(this);

    m_aThreshold = new QDoubleSpinBox(this);
    m_aThreshold->setObjectName(u"gradeAThreshold"_s);
    m_bThreshold = new QDoubleSpinBox(this);
    m_bThreshold->setObjectName(u"gradeBThreshold"_s);
    for (QDoubleSpinBox* box : {m_aThreshold, m_bThreshold}) {
        box->setRange(0.0, 100.0);
        box->setDecimals(1);
        box->setSuffix(u" %以上"_s);
    }
    m_aThreshold->setValue(m_source.setup.thresholds.a);
    m_bThreshold->setValue(m_source.setup.thresholds.b);

    m_saveButton = new QPushButton(u"保存"_s, this);
    m_saveButton->setObjectName(u"saveButton"_s);
    m_closeButton = new QPushButton(u"閉じる"_s, this);
    m_closeButton->setObjectName(u"closeButton"_s);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { (void)save(); });
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* histogramBox = new QGroupBox(u"合計点の分布"_s, this);
    auto* histogramLayout = new QVBoxLayout(histogramBox);
    histogramLayout->addWidget(m_summary);
    histogramLayout->addWidget(m_histogram, 1);

    auto* thresholdBox = new QGroupBox(u"観点別評価の基準（kanten.csv）"_s, this);
    auto* thresholdLayout = new QFormLayout(thresholdBox);
    thresholdLayout->addRow(u"A"_s, m_aThreshold);
    thresholdLayout->addRow(u"B"_s, m_bThreshold);
    thresholdLayout->addRow(new QLabel(u"それ未満は C"_s, thresholdBox));

    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_closeButton);

    auto* lower = new QHBoxLayout;
    lower->addWidget(histogramBox, 1);
    lower->addWidget(thresholdBox);
    lower->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(lower);
}

void StatisticsWindow::fillRows()
{
    const bool scored = m_source.scoreRows.has_value();
    // The full marks a question takes when none is typed: its highest score.
    const QList<steps::QuestionColumn> derived = steps::questionColumns(
        m_source.scoreRows.value_or(QList<QStringList>()), m_source.regionCount, {});
    for (int row = 0; row < m_source.regionCount; ++row) {
        QString question = u"問"_s + workspace::fullWidth(QString::number(row + 1));
        if (row == 0 && m_source.regionOne == steps::RegionOne::NameField)
            question += u"（氏名欄）"_s;
        m_table->setItem(row, QuestionColumn, readOnlyItem(question));
        for (int column = MeanColumn; column < ColumnCount; ++column)
            m_table->setItem(row, column, readOnlyItem(QString()));

        const workspace::RegionViewpoint& stored = m_source.setup.viewpoints[row];
        auto* viewpointBox = new QComboBox(m_table);
        viewpointBox->setObjectName(u"viewpointBox"_s);
        viewpointBox->setEditable(true);
        viewpointBox->addItems(viewpointChoices());
        viewpointBox->setCurrentText(stored.label);
        m_table->setCellWidget(row, ViewpointColumn, viewpointBox);
        connect(viewpointBox, &QComboBox::currentTextChanged, this,
                &StatisticsWindow::refreshStatistics);
        m_viewpointBoxes.append(viewpointBox);

        auto* fullMarksBox = new QLineEdit(stored.fullMarks, m_table);
        fullMarksBox->setObjectName(u"fullMarksBox"_s);
        fullMarksBox->setPlaceholderText(
            scored ? u"最高点 %1"_s.arg(workspace::decimalText(derived[row].fullMarks))
                   : u"最高点"_s);
        m_table->setCellWidget(row, FullMarksColumn, fullMarksBox);
        connect(fullMarksBox, &QLineEdit::textChanged, this, &StatisticsWindow::refreshStatistics);
        m_fullMarksBoxes.append(fullMarksBox);
    }
    for (int column = MeanColumn; column < ColumnCount; ++column)
        m_table->setColumnHidden(column, !scored);
    m_histogram->setVisible(scored);
    if (!scored)
        m_summary->setText(u"点数がまだないため、統計は表示していません。"
                           u"「5.点数振り分け」で採点し、「採点終了」で保存すると表示されます。"_s);
}

steps::ViewpointSetup StatisticsWindow::draft() const
{
    steps::ViewpointSetup setup;
    setup.viewpoints.reserve(m_source.regionCount);
    for (int row = 0; row < m_source.regionCount; ++row)
        setup.viewpoints.append({m_viewpointBoxes[row]->currentText().trimmed(),
                                 m_fullMarksBoxes[row]->text().trimmed()});
    setup.thresholds = {m_aThreshold->value(), m_bThreshold->value()};
    return setup;
}

bool StatisticsWindow::hasChanges() const
{
    const steps::ViewpointSetup current = draft();
    return current.viewpoints != m_stored.viewpoints || current.thresholds != m_stored.thresholds;
}

void StatisticsWindow::refreshStatistics()
{
    QList<workspace::RegionViewpoint> viewpoints = draft().viewpoints;
    for (int row = 0; row < m_source.regionCount; ++row) {
        const bool valid = isValidFullMarks(viewpoints[row].fullMarks);
        m_fullMarksBoxes[row]->setStyleSheet(valid ? QString() : kInvalidStyle);
        // Until the full marks read as a number, the question takes its highest score.
        if (!valid)
            viewpoints[row].fullMarks.clear();
    }
    if (!m_source.scoreRows)
        return;

    const steps::ExamStatistics statistics = steps::examStatistics(
        steps::questionColumns(*m_source.scoreRows, m_source.regionCount, viewpoints),
        m_source.totals);
    for (int row = 0; row < m_source.regionCount; ++row) {
        const steps::QuestionStatistics& question = statistics.questions[row];
        m_table->item(row, MeanColumn)->setText(numberText(question.mean));
        m_table->item(row, DeviationColumn)->setText(numberText(question.standardDeviation));
        m_table->item(row, ScoreRateColumn)->setText(percentText(question.scoreRate));
        QTableWidgetItem* success = m_table->item(row, SuccessRateColumn);
        success->setText(percentText(question.successRate));
        success->setData(RateBarDelegate::rateRole,
                         question.successRate ? QVariant(*question.successRate) : QVariant());
        m_table->item(row, DiscriminationColumn)->setText(numberText(question.discrimination));
        m_table->item(row, CorrelationColumn)->setText(numberText(question.itemRestCorrelation));
        const QStringList warnings = steps::questionWarnings(question);
        m_table->item(row, HintColumn)->setText(warnings.join(u' '));
        m_table->item(row, HintColumn)->setToolTip(warnings.join(u'\n'));
        const QBrush background = warnings.isEmpty() ? QBrush() : QBrush(kWarningColour);
        for (int column : {int(QuestionColumn), int(MeanColumn), int(DeviationColumn),
                           int(ScoreRateColumn), int(SuccessRateColumn), int(DiscriminationColumn),
                           int(CorrelationColumn), int(HintColumn)})
            m_table->item(row, column)->setBackground(background);
    }

    const steps::TotalStatistics& total = statistics.total;
    m_summary->setText(
        u"答案 %1枚　平均 %2　標準偏差 %3　中央値 %4　最低 %5　最高 %6　α係数 %7"_s.arg(
            QString::number(m_source.totals.size()), numberText(total.mean),
            numberText(total.standardDeviation), numberText(total.median),
            numberText(total.minimum), numberText(total.maximum),
            total.alpha ? numberText(total.alpha) : u"－"_s));
    m_histogram->setTotals(m_source.totals);
}

bool StatisticsWindow::save()
{
    const steps::ViewpointSetup current = draft();
    workspace::Status saved = workspace::ensureFolder(m_workspace.path(paths::dataFolder()));
    if (saved)
        saved = workspace::writeViewpoints(m_workspace.path(paths::viewpointFile()),
                                           current.viewpoints);
    if (saved)
        saved = workspace::writeGradeThresholds(m_workspace.path(paths::gradeThresholdFile()),
                                                current.thresholds);
    if (!saved) {
        QMessageBox::warning(this, workspace::applicationTitle(), saved.error());
        return false;
    }
    m_stored = current;
    return true;
}

void StatisticsWindow::closeEvent(QCloseEvent* event)
{
    if (hasChanges()) {
        QMessageBox question(QMessageBox::Question, workspace::applicationTitle(),
                             u"観点と満点の変更が保存されていません。\n保存してから閉じますか？"_s,
                             QMessageBox::NoButton, this);
        QPushButton* saveButton = question.addButton(u"保存して閉じる"_s, QMessageBox::AcceptRole);
        question.addButton(u"保存せずに閉じる"_s, QMessageBox::DestructiveRole);
        QPushButton* backButton = question.addButton(u"戻る"_s, QMessageBox::RejectRole);
        question.setDefaultButton(saveButton);
        question.setEscapeButton(backButton);
        question.exec();
        const QAbstractButton* answer = question.clickedButton();
        if (!answer || answer == backButton || (answer == saveButton && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
    emit closed();
}

StatisticsWindow* openStatisticsWindow(QWidget* mainWindow, const workspace::Workspace& workspace)
{
    workspace::Expected<steps::StatisticsSource> source = steps::loadStatisticsSource(workspace);
    if (!source) {
        QMessageBox::information(mainWindow, workspace::applicationTitle(), source.error());
        return nullptr;
    }
    auto* window = new StatisticsWindow(workspace, std::move(source).value());
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Shown again before this window is gone, so that the program never finds itself without a
    // visible window and quits.
    QObject::connect(window, &StatisticsWindow::closed, mainWindow,
                     [main = QPointer<QWidget>(mainWindow)] {
                         if (main)
                             main->show();
                     });
    window->show();
    mainWindow->hide();
    return window;
}

} // namespace statistics
