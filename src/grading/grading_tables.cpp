// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading_tables.h"

#include "workspace/atomic_file.h"
#include "workspace/cp932.h"
#include "workspace/field_table_file.h"
#include "workspace/full_width.h"
#include "workspace/numeric_text.h"
#include "workspace/region_file.h"
#include "workspace/roster_file.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;
using workspace::kMaxRegions;
using workspace::kMaxSheets;
using workspace::Status;

namespace grading {

namespace {

constexpr qsizetype kCellCount = qsizetype(kMaxSheets + 1) * (kMaxRegions + 1);

bool isSheet(int sheet)
{
    return sheet >= 1 && sheet <= kMaxSheets;
}

bool isRegion(int region)
{
    return region >= 1 && region <= kMaxRegions;
}

const QString& emptyText()
{
    static const QString empty;
    return empty;
}

// The sheet run, one past the limit at most, so that a 501st sheet is noticed.
int countSheets(const workspace::Workspace& workspace)
{
    int count = 0;
    while (count <= kMaxSheets
           && QFileInfo::exists(workspace.path(workspace::paths::sheetImage(count + 1))))
        ++count;
    return count;
}

// A missing file is no error: the table stays empty.
template <typename Value>
Expected<Value> readIfPresent(const QString& path, Expected<Value> (*reader)(const QString&))
{
    if (!QFileInfo::exists(path))
        return Value{};
    return reader(path);
}

} // namespace

GradingTables::GradingTables()
    : m_scoreTable(kCellCount)
    , m_commentTable(kCellCount)
    , m_nameList(kMaxSheets + 1)
{
}

qsizetype GradingTables::cellIndex(int sheet, int region)
{
    return qsizetype(sheet) * (kMaxRegions + 1) + region;
}

const QString& GradingTables::score(int sheet, int region) const
{
    if (!isSheet(sheet) || !isRegion(region))
        return emptyText();
    return m_scoreTable[cellIndex(sheet, region)];
}

void GradingTables::setScore(int sheet, int region, const QString& text)
{
    if (isSheet(sheet) && isRegion(region))
        m_scoreTable[cellIndex(sheet, region)] = text;
}

const QString& GradingTables::comment(int sheet, int region) const
{
    if (!isSheet(sheet) || !isRegion(region))
        return emptyText();
    return m_commentTable[cellIndex(sheet, region)];
}

void GradingTables::setComment(int sheet, int region, const QString& text)
{
    if (isSheet(sheet) && isRegion(region))
        m_commentTable[cellIndex(sheet, region)] = text;
}

const QString& GradingTables::name(int sheet) const
{
    return isSheet(sheet) ? m_nameList[sheet] : emptyText();
}

bool GradingTables::isFullyGraded(int region) const
{
    for (int sheet = 1; sheet <= m_sheetCount; ++sheet)
        if (!workspace::isNumericText(score(sheet, region)))
            return false;
    return true;
}

bool GradingTables::savesSameAs(const GradingTables& other) const
{
    if (m_sheetCount != other.m_sheetCount || regionCount() != other.regionCount())
        return false;
    for (int sheet = 1; sheet <= m_sheetCount; ++sheet)
        for (int region = 1; region <= regionCount(); ++region)
            if (score(sheet, region) != other.score(sheet, region)
                || comment(sheet, region) != other.comment(sheet, region))
                return false;
    return true;
}

ChangeList inverted(const ChangeList& changes)
{
    ChangeList back;
    back.reserve(changes.size());
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        back.push_back(
            {change->sheet, change->region, change->field, change->after, change->before});
    return back;
}

const QString& GradingTables::text(int sheet, int region, TableField field) const
{
    return field == TableField::Score ? score(sheet, region) : comment(sheet, region);
}

bool GradingTables::applyIfFits(const ChangeList& changes)
{
    std::size_t applied = 0;
    for (; applied < changes.size(); ++applied) {
        const CellChange& change = changes[applied];
        if (change.sheet < 1 || change.sheet > m_sheetCount || change.region < 1
            || change.region > regionCount()
            || text(change.sheet, change.region, change.field) != change.before)
            break;
        std::vector<QString>& table =
            change.field == TableField::Score ? m_scoreTable : m_commentTable;
        table[cellIndex(change.sheet, change.region)] = change.after;
    }
    if (applied == changes.size())
        return true;
    // One change that does not fit leaves the whole record out.
    for (std::size_t undone = applied; undone-- > 0;) {
        const CellChange& change = changes[undone];
        std::vector<QString>& table =
            change.field == TableField::Score ? m_scoreTable : m_commentTable;
        table[cellIndex(change.sheet, change.region)] = change.before;
    }
    return false;
}

ChangeList GradingTables::changesTo(const GradingTables& other) const
{
    ChangeList changes;
    for (int sheet = 1; sheet <= m_sheetCount; ++sheet)
        for (int region = 1; region <= regionCount(); ++region)
            for (const TableField field : {TableField::Score, TableField::Comment})
                if (const QString& after = other.text(sheet, region, field);
                    text(sheet, region, field) != after)
                    changes.push_back({sheet, region, field, text(sheet, region, field), after});
    return changes;
}

Expected<GradingTables> GradingTables::load(const workspace::Workspace& workspace)
{
    namespace paths = workspace::paths;
    GradingTables tables;

    const QString regionPath = workspace.path(paths::regionFile());
    Expected<QList<workspace::RegionRect>> regions = workspace::readRegions(regionPath);
    if (!regions)
        return Failure{regions.error()};
    tables.m_regions = workspace::RegionTables::fromRegions(*regions);

    tables.m_sheetCount = countSheets(workspace);
    if (tables.m_sheetCount > kMaxSheets)
        return Failure{u"答案が%1枚を超えています。採点画面で扱えるのは%1枚までです。\n"
                       u"フォルダ「%2」の答案を%1枚以下にしてください。"_s.arg(
                           QString::number(kMaxSheets),
                           workspace::displayPath(workspace.path(paths::sheetFolder())))};

    const auto fillTable = [](std::vector<QString>& table, const QList<QStringList>& rows) {
        for (qsizetype row = 0; row < rows.size(); ++row)
            for (qsizetype field = 0; field < rows[row].size(); ++field)
                table[cellIndex(int(row + 1), int(field + 1))] = rows[row][field];
    };
    Expected<QList<QStringList>> scores =
        readIfPresent(workspace.path(paths::scoreFile()), &workspace::readFieldTable);
    if (!scores)
        return Failure{scores.error()};
    fillTable(tables.m_scoreTable, *scores);
    Expected<QList<QStringList>> comments =
        readIfPresent(workspace.path(paths::commentFile()), &workspace::readFieldTable);
    if (!comments)
        return Failure{comments.error()};
    fillTable(tables.m_commentTable, *comments);

    const QString rosterPath = workspace.path(paths::rosterFile());
    if (QFileInfo::exists(rosterPath)) {
        Expected<QStringList> names = workspace::readRoster(rosterPath);
        if (!names)
            return Failure{names.error()};
        for (qsizetype line = 0; line < names->size(); ++line)
            tables.m_nameList[line + 1] = names->at(line);
        for (int sheet = 1; sheet <= tables.m_sheetCount; ++sheet)
            tables.setScore(sheet, 1, u"0"_s);
    }
    return tables;
}

Status GradingTables::save(const workspace::Workspace& workspace) const
{
    const auto check = [](const QString& text, int sheet, int region,
                          const QString& what) -> Status {
        const QString where = u"%1枚目の答案の問%2の%3「%4」"_s.arg(
            QString::number(sheet), workspace::fullWidth(QString::number(region)), what, text);
        if (text.contains(u'\r') || text.contains(u'\n'))
            return Failure{
                u"%1に改行が含まれているため、保存できません。\n"
                u"改行を取り除いてから、もう一度「採点終了」を押してください。"_s.arg(where)};
        if (!workspace::cp932::canEncode(text))
            return Failure{
                u"%1に、保存できない文字が含まれています。\n"
                u"その文字を直してから、もう一度「採点終了」を押してください。"_s.arg(where)};
        return {};
    };

    QList<QStringList> scoreRows;
    QList<QStringList> commentRows;
    for (int sheet = 1; sheet <= m_sheetCount; ++sheet) {
        QStringList scoreRow;
        QStringList commentRow;
        for (int region = 1; region <= regionCount(); ++region) {
            if (Status status = check(score(sheet, region), sheet, region, u"点数"_s); !status)
                return status;
            if (Status status = check(comment(sheet, region), sheet, region, u"コメント"_s);
                !status)
                return status;
            scoreRow.append(score(sheet, region));
            commentRow.append(comment(sheet, region));
        }
        scoreRows.append(scoreRow);
        commentRows.append(commentRow);
    }
    // Result computation reads the two files line by line in step: both are replaced, or neither.
    const QString scorePath = workspace.path(workspace::paths::scoreFile());
    const QString commentPath = workspace.path(workspace::paths::commentFile());
    Expected<QByteArray> scoreBytes = workspace::encodeFieldTable(scorePath, scoreRows);
    if (!scoreBytes)
        return Failure{scoreBytes.error()};
    Expected<QByteArray> commentBytes = workspace::encodeFieldTable(commentPath, commentRows);
    if (!commentBytes)
        return Failure{commentBytes.error()};
    return workspace::writeFilesAtomically({{scorePath, std::move(scoreBytes).value()},
                                            {commentPath, std::move(commentBytes).value()}});
}

} // namespace grading
