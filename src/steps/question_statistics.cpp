// SPDX-License-Identifier: GPL-3.0-or-later
#include "question_statistics.h"

#include "workspace/numeric_text.h"
#include "workspace/rounding.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

constexpr double kLowSuccessRate = 0.2;
constexpr double kHighSuccessRate = 0.9;
constexpr double kLowDiscrimination = 0.2;

double meanOf(const QList<double>& values)
{
    return std::accumulate(values.cbegin(), values.cend(), 0.0)
           / static_cast<double>(values.size());
}

// Population variance, from the deviations about the mean (the sums of squares lose too much).
double varianceOf(const QList<double>& values, double mean)
{
    double sum = 0.0;
    for (const double value : values)
        sum += (value - mean) * (value - mean);
    return sum / static_cast<double>(values.size());
}

// Whether the values differ at all; checked exactly, since a mean that is not exact leaves
// constant values a tiny variance.
bool hasSpread(const QList<double>& values)
{
    const auto [lowest, highest] = std::minmax_element(values.cbegin(), values.cend());
    return lowest != values.cend() && *lowest != *highest;
}

std::optional<double> pearson(const QList<double>& first, const QList<double>& second)
{
    if (!hasSpread(first) || !hasSpread(second))
        return std::nullopt;
    const double firstMean = meanOf(first);
    const double secondMean = meanOf(second);
    double covariance = 0.0;
    for (qsizetype index = 0; index < first.size(); ++index)
        covariance += (first[index] - firstMean) * (second[index] - secondMean);
    covariance /= static_cast<double>(first.size());
    return covariance / std::sqrt(varianceOf(first, firstMean) * varianceOf(second, secondMean));
}

// The sheets ordered by total, highest first, ties by sheet number.
QList<int> sheetsByTotal(const QList<qint32>& totals)
{
    QList<int> order(totals.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&totals](int first, int second) { return totals[first] > totals[second]; });
    return order;
}

int groupSize(qsizetype sheetCount)
{
    return std::max(1, static_cast<int>(workspace::roundHalfEven(27.0 * sheetCount / 100.0)));
}

double groupMean(const QList<double>& scores, const QList<int>& order, qsizetype first, int size)
{
    double sum = 0.0;
    for (qsizetype position = first; position < first + size; ++position)
        sum += scores[order[position]];
    return sum / size;
}

QuestionStatistics questionStatistics(const QuestionColumn& column, const QList<double>& totals,
                                      const QList<int>& order)
{
    QuestionStatistics statistics;
    statistics.label = column.label;
    statistics.fullMarks = column.fullMarks;
    statistics.sheetCount = static_cast<int>(column.scores.size());
    if (column.scores.isEmpty())
        return statistics;
    const double mean = meanOf(column.scores);
    statistics.mean = mean;
    statistics.standardDeviation = std::sqrt(varianceOf(column.scores, mean));
    const bool hasFullMarks = column.fullMarks > 0.0;
    if (hasFullMarks) {
        statistics.scoreRate = mean / column.fullMarks;
        const auto full =
            std::count_if(column.scores.cbegin(), column.scores.cend(),
                          [&column](double score) { return score >= column.fullMarks; });
        statistics.successRate =
            static_cast<double>(full) / static_cast<double>(column.scores.size());
    }
    if (column.scores.size() < 2)
        return statistics;
    if (hasFullMarks) {
        const int size = groupSize(column.scores.size());
        statistics.discrimination = (groupMean(column.scores, order, 0, size)
                                     - groupMean(column.scores, order, order.size() - size, size))
                                    / column.fullMarks;
    }
    QList<double> rest(totals.size());
    for (qsizetype sheet = 0; sheet < totals.size(); ++sheet)
        rest[sheet] = totals[sheet] - column.scores[sheet];
    statistics.itemRestCorrelation = pearson(column.scores, rest);
    return statistics;
}

std::optional<double> cronbachAlpha(const QList<QuestionColumn>& columns, qsizetype sheetCount)
{
    if (sheetCount < 2)
        return std::nullopt;
    QList<double> itemSums(sheetCount, 0.0);
    double itemVariances = 0.0;
    int items = 0;
    for (const QuestionColumn& column : columns) {
        if (column.fullMarks <= 0.0)
            continue;
        ++items;
        itemVariances += varianceOf(column.scores, meanOf(column.scores));
        for (qsizetype sheet = 0; sheet < sheetCount; ++sheet)
            itemSums[sheet] += column.scores[sheet];
    }
    if (items < 2 || !hasSpread(itemSums))
        return std::nullopt;
    return items / (items - 1.0) * (1.0 - itemVariances / varianceOf(itemSums, meanOf(itemSums)));
}

TotalStatistics totalStatistics(const QList<double>& totals)
{
    TotalStatistics statistics;
    if (totals.isEmpty())
        return statistics;
    const double mean = meanOf(totals);
    statistics.mean = mean;
    statistics.standardDeviation = std::sqrt(varianceOf(totals, mean));
    QList<double> sorted = totals;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype middle = sorted.size() / 2;
    statistics.median =
        sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
    statistics.minimum = sorted.first();
    statistics.maximum = sorted.last();
    return statistics;
}

} // namespace

QList<QuestionColumn> questionColumns(const QList<QStringList>& scoreRows, int regionCount,
                                      const QList<workspace::RegionViewpoint>& viewpoints)
{
    QList<QuestionColumn> columns(regionCount);
    for (int region = 0; region < regionCount; ++region) {
        QuestionColumn& column = columns[region];
        const workspace::RegionViewpoint viewpoint = viewpoints.value(region);
        column.label = viewpoint.label;
        column.scores.reserve(scoreRows.size());
        double highest = 0.0;
        for (const QStringList& row : scoreRows) {
            const double score =
                region < row.size() ? workspace::leadingNumberValue(row[region]) : 0.0;
            column.scores.append(score);
            highest = std::max(highest, score);
        }
        column.fullMarks = viewpoint.fullMarksValue().value_or(highest);
    }
    return columns;
}

ExamStatistics examStatistics(const QList<QuestionColumn>& columns, const QList<qint32>& totals)
{
    const QList<double> totalValues(totals.cbegin(), totals.cend());
    const QList<int> order = sheetsByTotal(totals);
    ExamStatistics statistics;
    statistics.questions.reserve(columns.size());
    for (const QuestionColumn& column : columns)
        statistics.questions.append(questionStatistics(column, totalValues, order));
    statistics.total = totalStatistics(totalValues);
    statistics.total.alpha = cronbachAlpha(columns, totals.size());
    return statistics;
}

QStringList questionWarnings(const QuestionStatistics& question)
{
    QStringList warnings;
    if (question.successRate && *question.successRate < kLowSuccessRate)
        warnings.append(u"正答率が20%未満です。配点や正答を見直してください。"_s);
    if (question.successRate && *question.successRate > kHighSuccessRate)
        warnings.append(u"正答率が90%を超えています。易しすぎないか確かめてください。"_s);
    if (question.discrimination && *question.discrimination < kLowDiscrimination)
        warnings.append(u"識別指数が0.2未満です。問題文や正答を見直してください。"_s);
    if (question.itemRestCorrelation && *question.itemRestCorrelation < 0.0)
        warnings.append(u"他の問題と逆の傾向です。正答や配点が誤っていないか見直してください。"_s);
    return warnings;
}

} // namespace steps
