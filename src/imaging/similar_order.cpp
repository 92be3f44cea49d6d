// SPDX-License-Identifier: GPL-3.0-or-later
#include "similar_order.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace imaging {

namespace {

// The grid the ink is scaled to: answers are mostly written along a line.
constexpr int kGridWidth = 32;
constexpr int kGridHeight = 16;
// Weight of the difference in shape (log of width over height) beside 1 − correlation.
constexpr float kAspectWeight = 0.25f;
// Answers closer than this (on average, group to group) are one group.
constexpr float kGroupDistance = 0.6f;

constexpr int kGridCells = kGridWidth * kGridHeight;
using Shape = std::array<float, kGridCells>;

struct Written {
    int index = 0;
    Shape shape; // zero mean, unit length
    float aspect = 0;
};

// The first and last place along one axis between which all but a twentieth of the ink lies
// on either side, so that a stray mark or a long flourish does not stretch the answer's extent.
std::pair<int, int> inkSpan(const std::vector<int>& counts, int total)
{
    const int sliver = total / 20;
    int first = 0;
    for (int seen = 0; first < int(counts.size()); ++first) {
        seen += counts[std::size_t(first)];
        if (seen > sliver)
            break;
    }
    int last = int(counts.size()) - 1;
    for (int seen = 0; last > first; --last) {
        seen += counts[std::size_t(last)];
        if (seen > sliver)
            break;
    }
    return {first, last};
}

Written describe(int index, const AnswerInk& answer)
{
    std::vector<int> columns(std::size_t(answer.width));
    std::vector<int> rows(std::size_t(answer.height));
    int total = 0;
    for (int y = 0; y < answer.height; ++y)
        for (int x = 0; x < answer.width; ++x)
            if (answer.mask[std::size_t(y * answer.width + x)]) {
                ++columns[std::size_t(x)];
                ++rows[std::size_t(y)];
                ++total;
            }
    Written written{index, {}, 0};
    if (total == 0)
        return written;
    const auto [left, right] = inkSpan(columns, total);
    const auto [top, bottom] = inkSpan(rows, total);
    const int inkWidth = right - left + 1;
    const int inkHeight = bottom - top + 1;
    written.aspect = std::log(float(inkWidth) / float(inkHeight));
    // Each ink pixel falls into one cell of the grid: area averaging, up to the cells' sizes.
    Shape cells{};
    for (int y = top; y <= bottom; ++y) {
        const int cellY = (y - top) * kGridHeight / inkHeight;
        for (int x = left; x <= right; ++x)
            if (answer.mask[std::size_t(y * answer.width + x)])
                cells[std::size_t(cellY * kGridWidth + (x - left) * kGridWidth / inkWidth)] += 1;
    }
    // A 3 × 3 blur, so that a stroke one cell off still overlaps.
    for (int y = 0; y < kGridHeight; ++y)
        for (int x = 0; x < kGridWidth; ++x) {
            float sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int cx = x + dx;
                    const int cy = y + dy;
                    if (cx >= 0 && cx < kGridWidth && cy >= 0 && cy < kGridHeight)
                        sum += cells[std::size_t(cy * kGridWidth + cx)];
                }
            written.shape[std::size_t(y * kGridWidth + x)] = sum;
        }
    const float mean = std::accumulate(written.shape.begin(), written.shape.end(), 0.0f)
                       / float(written.shape.size());
    float length = 0;
    for (float& value : written.shape) {
        value -= mean;
        length += value * value;
    }
    length = std::sqrt(length);
    if (length > 0)
        for (float& value : written.shape)
            value /= length;
    return written;
}

float distance(const Written& one, const Written& other)
{
    // Eight running sums, which the compiler keeps in one vector register.
    std::array<float, 8> sums{};
    for (std::size_t cell = 0; cell < one.shape.size(); cell += sums.size())
        for (std::size_t lane = 0; lane < sums.size(); ++lane)
            sums[lane] += one.shape[cell + lane] * other.shape[cell + lane];
    const float correlation = std::accumulate(sums.begin(), sums.end(), 0.0f);
    return 1.0f - correlation + kAspectWeight * std::abs(one.aspect - other.aspect);
}

struct Merge {
    int one = 0;
    int other = 0;
    float distance = 0;
};

// Average-linkage clustering by the nearest-neighbour chain: every merge of the hierarchy in
// O(n²), by the items that stood for the two groups when they met.
std::vector<Merge> averageLinkage(std::vector<float> distances, int count)
{
    std::vector<int> sizes(std::size_t(count), 1);
    std::vector<bool> active(std::size_t(count), true);
    std::vector<int> chain;
    std::vector<Merge> merges;
    const auto at = [&distances, count](int one, int other) -> float& {
        return distances[std::size_t(one) * std::size_t(count) + std::size_t(other)];
    };
    int left = count;
    while (left > 1) {
        if (chain.empty())
            chain.push_back(int(std::find(active.begin(), active.end(), true) - active.begin()));
        const int last = chain.back();
        const int previous = chain.size() > 1 ? chain[chain.size() - 2] : -1;
        int nearest = previous;
        float nearestDistance = previous >= 0 ? at(last, previous) : 0;
        for (int other = 0; other < count; ++other) {
            if (!active[std::size_t(other)] || other == last)
                continue;
            if (nearest < 0 || at(last, other) < nearestDistance) {
                nearest = other;
                nearestDistance = at(last, other);
            }
        }
        if (nearest != previous) {
            chain.push_back(nearest);
            continue;
        }
        chain.pop_back();
        chain.pop_back();
        merges.push_back({last, previous, nearestDistance});
        // The group lives on in `last`'s row.
        const float lastSize = float(sizes[std::size_t(last)]);
        const float previousSize = float(sizes[std::size_t(previous)]);
        for (int other = 0; other < count; ++other) {
            if (!active[std::size_t(other)] || other == last || other == previous)
                continue;
            const float merged = (lastSize * at(last, other) + previousSize * at(previous, other))
                                 / (lastSize + previousSize);
            at(last, other) = merged;
            at(other, last) = merged;
        }
        sizes[std::size_t(last)] += sizes[std::size_t(previous)];
        active[std::size_t(previous)] = false;
        --left;
    }
    return merges;
}

struct Node {
    int first = -1; // children, or -1 for a leaf
    int second = -1;
    float distance = 0;
    int size = 1;
    int earliest = 0; // the smallest answer index below it
};

class Tree {
public:
    Tree(const std::vector<Written>& written, std::vector<Merge> merges)
    {
        const int count = int(written.size());
        for (const Written& item : written)
            m_nodes.push_back({-1, -1, 0, 1, item.index});
        std::vector<int> parent(static_cast<std::size_t>(count));
        std::iota(parent.begin(), parent.end(), 0);
        std::vector<int> nodeOf(static_cast<std::size_t>(count));
        std::iota(nodeOf.begin(), nodeOf.end(), 0);
        const auto find = [&parent](int item) {
            while (parent[std::size_t(item)] != item)
                item = parent[std::size_t(item)] = parent[std::size_t(parent[std::size_t(item)])];
            return item;
        };
        // The chain finds the merges out of order; in order of distance they form the tree.
        std::stable_sort(merges.begin(), merges.end(), [](const Merge& one, const Merge& other) {
            return one.distance < other.distance;
        });
        for (const Merge& merge : merges) {
            const int one = find(merge.one);
            const int other = find(merge.other);
            const Node& a = m_nodes[std::size_t(nodeOf[std::size_t(one)])];
            const Node& b = m_nodes[std::size_t(nodeOf[std::size_t(other)])];
            const Node joined{nodeOf[std::size_t(one)], nodeOf[std::size_t(other)], merge.distance,
                              a.size + b.size, std::min(a.earliest, b.earliest)};
            m_nodes.push_back(joined);
            parent[std::size_t(other)] = one;
            nodeOf[std::size_t(one)] = int(m_nodes.size()) - 1;
        }
    }

    // Groups in the order of the tree, larger branch first; each group in sheet order.
    void appendOrder(std::vector<int>& order) const
    {
        if (!m_nodes.empty())
            appendFrom(int(m_nodes.size()) - 1, order);
    }

private:
    void appendFrom(int at, std::vector<int>& order) const
    {
        const Node& node = m_nodes[std::size_t(at)];
        if (node.first < 0 || node.distance <= kGroupDistance) {
            const std::size_t start = order.size();
            appendLeaves(at, order);
            std::sort(order.begin() + qsizetype(start), order.end());
            return;
        }
        int first = node.first;
        int second = node.second;
        const Node& a = m_nodes[std::size_t(first)];
        const Node& b = m_nodes[std::size_t(second)];
        if (b.size > a.size || (b.size == a.size && b.earliest < a.earliest))
            std::swap(first, second);
        appendFrom(first, order);
        appendFrom(second, order);
    }

    void appendLeaves(int at, std::vector<int>& order) const
    {
        const Node& node = m_nodes[std::size_t(at)];
        if (node.first < 0) {
            order.push_back(node.earliest);
            return;
        }
        appendLeaves(node.first, order);
        appendLeaves(node.second, order);
    }

    std::vector<Node> m_nodes;
};

} // namespace

std::vector<int> similarOrder(const std::vector<AnswerInk>& answers)
{
    std::vector<int> order;
    order.reserve(answers.size());
    std::vector<Written> written;
    std::vector<int> unknown;
    for (int index = 0; index < int(answers.size()); ++index) {
        const AnswerInk& answer = answers[std::size_t(index)];
        switch (answer.judgement) {
        case InkJudgement::Blank: order.push_back(index); break;
        case InkJudgement::Written: written.push_back(describe(index, answer)); break;
        case InkJudgement::Unknown: unknown.push_back(index); break;
        }
    }
    const int count = int(written.size());
    std::vector<float> distances(std::size_t(count) * std::size_t(count));
    for (int one = 0; one < count; ++one)
        for (int other = one + 1; other < count; ++other) {
            const float apart = distance(written[std::size_t(one)], written[std::size_t(other)]);
            distances[std::size_t(one) * std::size_t(count) + std::size_t(other)] = apart;
            distances[std::size_t(other) * std::size_t(count) + std::size_t(one)] = apart;
        }
    Tree(written, averageLinkage(std::move(distances), count)).appendOrder(order);
    order.insert(order.end(), unknown.begin(), unknown.end());
    return order;
}

} // namespace imaging
