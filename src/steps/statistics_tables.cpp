// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics_tables.h"

#include "workspace/csv_field.h"
#include "workspace/numeric_text.h"

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

QString number(std::optional<double> value)
{
    return value ? workspace::decimalText(*value) : QString();
}

// A label as a CSV field: as it is, or quoted when it holds a quote (it never holds a comma).
QString labelField(const QString& label)
{
    return label.contains(u'"') ? workspace::quotedCsvField(label) : label;
}

// The columns of a question's line: a new column is one more entry here.
struct QuestionColumnFormat {
    QString header;
    std::function<QString(int region, const QuestionStatistics&)> cell;
};

const QList<QuestionColumnFormat>& questionColumnFormats()
{
    static const QList<QuestionColumnFormat> formats = {
        {u"領域"_s, [](int region, const auto&) { return QString::number(region); }},
        {u"観点"_s, [](int, const auto& q) { return labelField(q.label); }},
        {u"満点"_s, [](int, const auto& q) { return workspace::decimalText(q.fullMarks); }},
        {u"人数"_s, [](int, const auto& q) { return QString::number(q.sheetCount); }},
        {u"平均"_s, [](int, const auto& q) { return number(q.mean); }},
        {u"標準偏差"_s, [](int, const auto& q) { return number(q.standardDeviation); }},
        {u"得点率"_s, [](int, const auto& q) { return number(q.scoreRate); }},
        {u"正答率"_s, [](int, const auto& q) { return number(q.successRate); }},
        {u"識別指数"_s, [](int, const auto& q) { return number(q.discrimination); }},
        {u"項目残余相関"_s, [](int, const auto& q) { return number(q.itemRestCorrelation); }},
        {u"無答率"_s, [](int, const auto& q) { return number(q.blankRate); }},
    };
    return formats;
}

} // namespace

QStringList statisticsTableLines(const ExamStatistics& statistics)
{
    const QList<QuestionColumnFormat>& formats = questionColumnFormats();
    QStringList header;
    for (const QuestionColumnFormat& format : formats)
        header.append(format.header);
    QStringList lines{header.join(u',')};
    for (qsizetype index = 0; index < statistics.questions.size(); ++index) {
        QStringList cells;
        for (const QuestionColumnFormat& format : formats)
            cells.append(format.cell(static_cast<int>(index + 1), statistics.questions[index]));
        lines.append(cells.join(u','));
    }
    const TotalStatistics& total = statistics.total;
    lines.append(QStringList{u"全体"_s, u"平均"_s, number(total.mean), u"標準偏差"_s,
                             number(total.standardDeviation), u"中央値"_s, number(total.median),
                             u"最小"_s, number(total.minimum), u"最大"_s, number(total.maximum),
                             u"α係数"_s, number(total.alpha)}
                     .join(u','));
    return lines;
}

QStringList viewpointTableLines(const QStringList& names, const ViewpointTable& table)
{
    QStringList header{u"氏名"_s};
    for (const QString& label : table.labels) {
        for (const QString& part : {u"得点"_s, u"満点"_s, u"割合"_s, u"評価"_s})
            header.append(labelField(label + part));
    }
    QStringList lines{header.join(u',')};
    for (qsizetype sheet = 0; sheet < table.sheets.size(); ++sheet) {
        QStringList cells{workspace::quotedCsvField(names.value(sheet))};
        for (const ViewpointResult& result : table.sheets[sheet])
            cells << workspace::decimalText(result.score)
                  << workspace::decimalText(result.fullMarks) << number(result.share)
                  << result.grade;
        lines.append(cells.join(u','));
    }
    return lines;
}

} // namespace steps
