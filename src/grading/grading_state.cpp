// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading_state.h"

#include "workspace/numeric_text.h"
#include "workspace/rounding.h"

#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;
using imaging::MarkState;

namespace grading {

namespace {

constexpr double kReduceFactor = 0.85;
constexpr double kEnlargeFactor = 1.17;

} // namespace

QString storedComment(const QString& typed)
{
    QString stored = typed;
    stored.replace(u',', u'、');
    stored.replace(u'，', u'、');
    return stored;
}

GradingState::GradingState(GradingTables tables)
    : m_tables(std::move(tables))
    , m_loadedTables(m_tables)
    , m_cells(std::size_t(m_tables.sheetCount()))
{
    setOrder({});
    colourSelectors();
}

void GradingState::setOrder(std::vector<int> order)
{
    // Anything but each cell once would lose a cell or show one twice: sheet order then.
    std::vector<int> rank(m_cells.size(), -1);
    bool valid = order.size() == m_cells.size();
    for (std::size_t place = 0; valid && place < order.size(); ++place) {
        const int index = order[place];
        valid = index >= 0 && std::size_t(index) < rank.size() && rank[std::size_t(index)] < 0;
        if (valid)
            rank[std::size_t(index)] = int(place);
    }
    if (!valid) {
        order.resize(m_cells.size());
        std::iota(order.begin(), order.end(), 0);
        std::iota(rank.begin(), rank.end(), 0);
    }
    m_order = std::move(order);
    m_rank = std::move(rank);
}

std::vector<int> GradingState::orderForPage() const
{
    if (m_options.order == AnswerOrder::Similar && m_similarOrder && m_currentRegion != 0)
        return m_similarOrder(m_currentRegion);
    return {};
}

GridMetrics GradingState::metrics() const
{
    const workspace::RegionRect region = m_tables.regions().region(m_currentRegion);
    return {region.width(), region.height(), m_zoomFactor, m_columnCount, m_options.comments};
}

MarkState GradingState::stateForScoreBox(int index) const
{
    return workspace::isNumericText(m_cells[std::size_t(index)].scoreBox) ? MarkState::Blue
                                                                          : MarkState::Gray;
}

void GradingState::colourSelectors()
{
    m_selectorColours.clear();
    for (int region = 1; region <= m_tables.regionCount(); ++region) {
        SelectorColour colour = SelectorColour::ButtonFace;
        if (region == m_currentRegion)
            colour = SelectorColour::Current;
        else if (m_tables.isFullyGraded(region))
            colour = SelectorColour::FullyGraded;
        m_selectorColours.append(colour);
    }
}

void GradingState::placeCells(const std::vector<bool>& shown)
{
    m_pageGeneration = ++m_lastGeneration;
    const GridMetrics gridMetrics = metrics();
    int position = -1;
    for (const int cellIndex : m_order) {
        const auto index = std::size_t(cellIndex);
        PageCell& cell = m_cells[index];
        const int sheet = cellIndex + 1;
        cell.shown = shown[index];
        if (cell.shown)
            ++position;
        // A hidden cell is placed too, at the last shown position; it is not seen there.
        cell.geometry = cellGeometry(gridMetrics, position);
        cell.scoreBox = m_tables.score(sheet, m_currentRegion);
        cell.commentBox = m_tables.comment(sheet, m_currentRegion);
    }
}

void GradingState::buildPage(int selectorIndex)
{
    if (selectorIndex < 0 || selectorIndex >= m_tables.regionCount())
        return;
    m_shiftHeld = false;
    m_currentRegion = selectorIndex + 1;
    colourSelectors();
    setOrder(orderForPage());
    std::vector<bool> shown(m_cells.size());
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        shown[index] =
            !(m_options.hideGraded
              && workspace::isNumericText(m_tables.score(int(index) + 1, m_currentRegion)));
    placeCells(shown);
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        m_cells[index].state = stateForScoreBox(int(index));
}

void GradingState::buildExtract(const QString& wanted)
{
    if (m_currentRegion == 0)
        return;
    m_shiftHeld = false;
    std::vector<bool> shown(m_cells.size());
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        shown[index] = m_tables.score(int(index) + 1, m_currentRegion) == wanted;
    setOrder(orderForPage());
    placeCells(shown);
    // Until the teacher first changes the layout, extracting re-derives the marks like a page
    // build; afterwards it keeps them, selections included.
    if (m_freshLayout)
        for (std::size_t index = 0; index < m_cells.size(); ++index)
            m_cells[index].state = stateForScoreBox(int(index));
}

void GradingState::click(int index, ShiftKey shift)
{
    if (index < 0 || std::size_t(index) >= m_cells.size())
        return;
    PageCell& clicked = m_cells[std::size_t(index)];
    if (!(m_shiftHeld && shift == ShiftKey::Down
          && m_cells[std::size_t(m_anchorIndex)].state == MarkState::Yellow)) {
        if (clicked.state != MarkState::Yellow) {
            clicked.state = MarkState::Yellow;
            m_anchorIndex = index;
        } else {
            clicked.state = stateForScoreBox(index);
        }
        return;
    }
    // The block between the two corners in reading order, limited to the columns they span.
    const int anchorRank = m_rank[std::size_t(m_anchorIndex)];
    const int clickedRank = m_rank[std::size_t(index)];
    const int low = std::min(anchorRank, clickedRank);
    const int high = std::max(anchorRank, clickedRank);
    const double anchorLeft =
        workspace::roundHalfEven(m_cells[std::size_t(m_anchorIndex)].geometry.frame.left());
    const double clickedLeft = workspace::roundHalfEven(clicked.geometry.frame.left());
    const double leftMin = std::min(anchorLeft, clickedLeft);
    const double leftMax = std::max(anchorLeft, clickedLeft);
    for (int place = low; place <= high; ++place) {
        PageCell& cell = m_cells[std::size_t(m_order[std::size_t(place)])];
        const double left = workspace::roundHalfEven(cell.geometry.frame.left());
        if (cell.shown && left >= leftMin && left <= leftMax)
            cell.state = MarkState::Yellow;
    }
    m_anchorIndex = index;
}

void GradingState::selectAll()
{
    for (PageCell& cell : m_cells)
        if (cell.shown)
            cell.state = MarkState::Yellow;
}

void GradingState::selectUnscored()
{
    for (PageCell& cell : m_cells)
        if (cell.state == MarkState::Gray)
            cell.state = MarkState::Yellow;
}

void GradingState::clearSelection()
{
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        m_cells[index].state = stateForScoreBox(int(index));
}

void GradingState::selectOnly(const std::vector<bool>& wanted)
{
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        m_cells[index].state = index < wanted.size() && wanted[index] && m_cells[index].shown
                                   ? MarkState::Yellow
                                   : stateForScoreBox(int(index));
}

ChangeList GradingState::editScore(int index, const QString& text)
{
    if (m_currentRegion == 0 || index < 0 || std::size_t(index) >= m_cells.size())
        return {};
    m_cells[std::size_t(index)].scoreBox = text;
    const QString stored = workspace::isNumericText(text) ? text : QString();
    const QString& before = m_tables.score(index + 1, m_currentRegion);
    if (before == stored)
        return {};
    ChangeList changes{{index + 1, m_currentRegion, TableField::Score, before, stored}};
    m_tables.setScore(index + 1, m_currentRegion, stored);
    return changes;
}

ChangeList GradingState::editComment(int index, const QString& text)
{
    if (m_currentRegion == 0 || index < 0 || std::size_t(index) >= m_cells.size())
        return {};
    m_cells[std::size_t(index)].commentBox = text;
    const QString stored = storedComment(text);
    const QString& before = m_tables.comment(index + 1, m_currentRegion);
    if (before == stored)
        return {};
    ChangeList changes{{index + 1, m_currentRegion, TableField::Comment, before, stored}};
    m_tables.setComment(index + 1, m_currentRegion, stored);
    return changes;
}

ChangeList GradingState::applyScore(const QString& preset)
{
    ChangeList changes;
    for (std::size_t index = 0; index < m_cells.size(); ++index) {
        if (m_cells[index].state != MarkState::Yellow)
            continue;
        for (CellChange& change : editScore(int(index), preset))
            changes.push_back(std::move(change));
        if (workspace::isNumericText(m_cells[index].scoreBox))
            m_cells[index].state = MarkState::Blue;
    }
    if (m_currentRegion != 0)
        buildPage(m_currentRegion - 1);
    return changes;
}

ChangeList GradingState::applyComment(const QString& preset)
{
    ChangeList changes;
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        if (m_cells[index].state == MarkState::Yellow)
            for (CellChange& change : editComment(int(index), preset))
                changes.push_back(std::move(change));
    return changes;
}

PageSnapshot GradingState::snapshot() const
{
    PageSnapshot page{m_currentRegion, m_pageGeneration, {}, {}, m_order};
    page.shown.reserve(m_cells.size());
    page.marks.reserve(m_cells.size());
    for (const PageCell& cell : m_cells) {
        page.shown.push_back(cell.shown);
        page.marks.push_back(cell.state);
    }
    return page;
}

void GradingState::restorePage(const PageSnapshot& snapshot)
{
    if (snapshot.region < 1 || snapshot.region > m_tables.regionCount()
        || snapshot.shown.size() != m_cells.size())
        return;
    m_shiftHeld = false;
    m_currentRegion = snapshot.region;
    colourSelectors();
    setOrder(snapshot.order);
    placeCells(snapshot.shown);
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        m_cells[index].state = snapshot.marks[index];
    m_pageGeneration = snapshot.generation;
}

void GradingState::applyChanges(const ChangeList& changes)
{
    for (const CellChange& change : changes) {
        const std::size_t index = std::size_t(change.sheet - 1);
        const bool onPage = change.region == m_currentRegion && index < m_cells.size();
        if (change.field == TableField::Score) {
            m_tables.setScore(change.sheet, change.region, change.after);
            if (onPage)
                m_cells[index].scoreBox = change.after;
        } else {
            m_tables.setComment(change.sheet, change.region, change.after);
            if (onPage)
                m_cells[index].commentBox = change.after;
        }
    }
    colourSelectors();
}

void GradingState::rebuildForLayoutChange()
{
    m_freshLayout = false;
    buildPage(m_currentRegion - 1);
}

void GradingState::setOptions(const DisplayOptions& options)
{
    m_options = options;
    if (m_currentRegion != 0)
        rebuildForLayoutChange();
}

void GradingState::zoom(ZoomStep step)
{
    if (m_currentRegion == 0)
        return;
    const double factor = step == ZoomStep::Reduce ? kReduceFactor : kEnlargeFactor;
    m_zoomFactor = static_cast<float>(double(m_zoomFactor) * factor);
    rebuildForLayoutChange();
}

std::optional<QString> GradingState::stepColumns(ColumnStep step, const QString& boxText)
{
    const double value = workspace::leadingNumberValue(boxText);
    if (step == ColumnStep::Fewer && !(value > 1))
        return std::nullopt;
    double newValue = step == ColumnStep::Fewer ? value - 1 : value + 1;
    // The page needs at least one column, and more columns than sheets show nothing more.
    const double rounded = workspace::roundHalfEven(newValue);
    const double count = std::clamp(rounded, 1.0, double(workspace::kMaxSheets));
    if (count != rounded)
        newValue = count;
    m_columnCount = int(count);
    m_freshLayout = false;
    if (m_currentRegion != 0)
        buildPage(m_currentRegion - 1);
    return QString::number(newValue, 'g', 15);
}

} // namespace grading
