// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_ink.h"

#include "bmp_rows.h"
#include "picture_loading.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace imaging {

namespace {

// Thumbnail pixels (about 4 sheet pixels each way): how far print may stand from where the
// other cut-outs have it; each answer of the background is darkened that far.
constexpr int kShiftRadius = 2;
// And the background once more, for what falls between.
constexpr int kBackgroundRadius = 1;
// Grey levels darker than the background near it before a pixel counts as ink: several times
// the noise of a scanner, less than a faint pencil stroke.
constexpr int kInkMargin = 32;
// Without a background: grey levels below the answer's own paper.
constexpr int kPlainInkMargin = 48;
// Connected ink smaller than this many thumbnail pixels of 2 × 2 is dust or a scanner's speck.
constexpr int kSmallestStroke = 6;
// The least ink (thumbnail pixels of 2 × 2) of a written answer: a short dash. With larger
// blocks both shrink as a stroke's length does.
constexpr int kLeastInk = 20;
// Thumbnail pixels at most: a cut-out of 490 × 490 still has blocks of 2 × 2.
constexpr double kLargestThumbnail = 60000;
// The background needs this many answers to be the median of something.
constexpr int kLeastAnswersForBackground = 5;
// The levels of the backgrounds: of all answers, and of the blank ones (their median).
constexpr double kAllAnswersShare = 0.75;
constexpr double kMedianShare = 0.5;
// The median is taken over at most this many answers, spread over the question.
constexpr int kMedianSamples = 31;
// Below this many answers in the median, each answer is left out of its own.
constexpr int kLeaveOneOutBelow = 16;
// Thumbnail pixels a cut-out is moved at most to bring its print in line with the others'.
constexpr int kLargestPrintShift = 8;
// How far an answer's paper may be brightened or darkened to match the background's.
constexpr int kLargestPaperShift = 64;

using Pixels = std::vector<quint8>;

// The side of the square blocks a cut-out is reduced by: 2, or more for a large region so that
// 500 thumbnails and their masks stay within tens of megabytes.
int blockFor(int width, int height)
{
    const double area = double(width) * double(height);
    return std::max(2, int(std::ceil(std::sqrt(area / kLargestThumbnail))));
}

// Rows of blue, green, red bytes at `step` bytes per pixel, each block as grey at its darkest:
// a thin line then keeps its full darkness wherever it falls between the blocks, so that it
// looks the same on every sheet, and a faint stroke is not thinned out by averaging.
template <typename RowOf> GreyThumbnail thumbnailOf(int width, int height, int step, RowOf rowOf)
{
    GreyThumbnail thumbnail;
    thumbnail.block = blockFor(width, height);
    const int block = thumbnail.block;
    thumbnail.width = std::max(1, width / block);
    thumbnail.height = std::max(1, height / block);
    thumbnail.pixels.assign(std::size_t(thumbnail.width) * std::size_t(thumbnail.height), 255);
    const auto grey = [step](const uchar* row, int x) {
        const uchar* pixel = row + qsizetype(x) * step;
        return (29 * pixel[0] + 150 * pixel[1] + 77 * pixel[2]) >> 8;
    };
    if (block == 2) {
        // The usual case, without the general loop's bounds.
        for (int y = 0; y < thumbnail.height; ++y) {
            const uchar* upper = rowOf(std::min(2 * y, height - 1));
            const uchar* lower = rowOf(std::min(2 * y + 1, height - 1));
            quint8* out = thumbnail.pixels.data() + std::size_t(y) * std::size_t(thumbnail.width);
            for (int x = 0; x < thumbnail.width; ++x) {
                const int left = std::min(2 * x, width - 1);
                const int right = std::min(2 * x + 1, width - 1);
                out[x] = quint8(std::min({grey(upper, left), grey(upper, right), grey(lower, left),
                                          grey(lower, right)}));
            }
        }
        return thumbnail;
    }
    for (int y = 0; y < thumbnail.height; ++y) {
        quint8* out = thumbnail.pixels.data() + std::size_t(y) * std::size_t(thumbnail.width);
        for (int rowInBlock = 0; rowInBlock < block; ++rowInBlock) {
            const uchar* row = rowOf(std::min(block * y + rowInBlock, height - 1));
            for (int x = 0; x < thumbnail.width; ++x) {
                int darkest = out[x];
                for (int column = block * x; column < block * x + block; ++column)
                    darkest = std::min(darkest, grey(row, std::min(column, width - 1)));
                out[x] = quint8(darkest);
            }
        }
    }
    return thumbnail;
}

// Each pixel becomes the darkest within `radius` of it, rows then columns.
template <int radius> Pixels darkestNearby(const Pixels& in, int width, int height)
{
    Pixels across(in.size());
    std::vector<quint8> padded(std::size_t(width + 2 * radius));
    for (int y = 0; y < height; ++y) {
        const quint8* row = in.data() + std::size_t(y) * std::size_t(width);
        std::fill_n(padded.begin(), radius, row[0]);
        std::copy_n(row, width, padded.begin() + radius);
        std::fill_n(padded.begin() + radius + width, radius, row[width - 1]);
        const quint8* source = padded.data();
        quint8* out = across.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            quint8 darkest = source[x];
            for (int offset = 1; offset <= 2 * radius; ++offset)
                darkest = std::min(darkest, source[x + offset]);
            out[x] = darkest;
        }
    }
    Pixels out(in.size());
    for (int y = 0; y < height; ++y) {
        quint8* target = out.data() + std::size_t(y) * std::size_t(width);
        std::copy_n(across.data() + std::size_t(y) * std::size_t(width), width, target);
        for (int other = std::max(0, y - radius); other <= std::min(height - 1, y + radius);
             ++other) {
            const quint8* source = across.data() + std::size_t(other) * std::size_t(width);
            for (int x = 0; x < width; ++x)
                target[x] = std::min(target[x], source[x]);
        }
    }
    return out;
}

// The brightness of the paper: the level that nine pixels in ten do not exceed, so that neither
// a dense answer nor a few bright specks move it.
int paperLevel(const Pixels& pixels)
{
    std::array<int, 256> counts{};
    for (quint8 value : pixels)
        ++counts[value];
    const std::size_t wanted = pixels.size() * 9 / 10;
    std::size_t seen = 0;
    for (int level = 0; level < 256; ++level) {
        seen += std::size_t(counts[std::size_t(level)]);
        if (seen > wanted)
            return level;
    }
    return 255;
}

// Clears connected ink (8 neighbours) smaller than `smallestStroke`; returns the ink left.
int removeSpecks(std::vector<quint8>& mask, int width, int height, int smallestStroke)
{
    constexpr quint8 kVisited = 2;
    int kept = 0;
    std::vector<int> component;
    for (int start = 0; start < int(mask.size()); ++start) {
        if (mask[std::size_t(start)] != 1)
            continue;
        component.assign(1, start);
        mask[std::size_t(start)] = kVisited;
        // The component itself is the list of pixels still to look around.
        for (std::size_t next = 0; next < component.size(); ++next) {
            const int x = component[next] % width;
            const int y = component[next] / width;
            for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny)
                for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
                    quint8& neighbour = mask[std::size_t(ny * width + nx)];
                    if (neighbour == 1) {
                        neighbour = kVisited;
                        component.push_back(ny * width + nx);
                    }
                }
        }
        if (int(component.size()) < smallestStroke)
            for (int at : component)
                mask[std::size_t(at)] = 0;
        else
            kept += int(component.size());
    }
    for (quint8& value : mask)
        value = value != 0;
    return kept;
}

struct Background {
    // Below this level a pixel is darker than any background near it, by the margin.
    std::vector<qint16> inkBelow;
    int paper = 255;
};

// Indices spread evenly over `from`, at most kMedianSamples of them.
std::vector<int> spreadSample(const std::vector<int>& from)
{
    if (int(from.size()) <= kMedianSamples)
        return from;
    std::vector<int> sample;
    sample.reserve(kMedianSamples);
    for (int index = 0; index < kMedianSamples; ++index)
        sample.push_back(from[std::size_t(qint64(index) * qint64(from.size()) / kMedianSamples)]);
    return sample;
}

// The answers a background is the median of, each darkened and brought to their common paper.
struct DarkenedSample {
    std::vector<int> indices;
    std::vector<Pixels> darkened;
    int width = 0;
    int height = 0;
    int paper = 255;
};

DarkenedSample darkenedSample(const std::vector<GreyThumbnail>& cutouts,
                              const std::vector<int>& which, const std::vector<int>& papers)
{
    DarkenedSample sample;
    sample.indices = spreadSample(which);
    sample.width = cutouts[std::size_t(sample.indices.front())].width;
    sample.height = cutouts[std::size_t(sample.indices.front())].height;
    std::vector<int> samplePapers;
    for (int index : sample.indices)
        samplePapers.push_back(papers[std::size_t(index)]);
    const auto middle = samplePapers.begin() + qsizetype(samplePapers.size() / 2);
    std::nth_element(samplePapers.begin(), middle, samplePapers.end());
    sample.paper = *middle;
    sample.darkened.reserve(sample.indices.size());
    for (int index : sample.indices) {
        Pixels pixels = darkestNearby<kShiftRadius>(cutouts[std::size_t(index)].pixels,
                                                    sample.width, sample.height);
        const int shift = std::clamp(sample.paper - papers[std::size_t(index)], -kLargestPaperShift,
                                     kLargestPaperShift);
        if (shift != 0)
            for (quint8& value : pixels)
                value = quint8(std::clamp(value + shift, 0, 255));
        sample.darkened.push_back(std::move(pixels));
    }
    return sample;
}

// Pixel by pixel, the level that `share` of the sample is darker than (a half: the median),
// leaving out the answer `excluded` (−1 for none); between two levels the lighter, which
// explains less.
Background backgroundOf(const DarkenedSample& sample, int excluded, double share)
{
    std::vector<const Pixels*> members;
    for (std::size_t member = 0; member < sample.indices.size(); ++member)
        if (sample.indices[member] != excluded)
            members.push_back(&sample.darkened[member]);
    Pixels median(std::size_t(sample.width) * std::size_t(sample.height));
    std::vector<quint8> values(members.size());
    const auto middle =
        values.begin()
        + std::min(qsizetype(double(values.size()) * share), qsizetype(values.size()) - 1);
    for (std::size_t pixel = 0; pixel < median.size(); ++pixel) {
        for (std::size_t member = 0; member < members.size(); ++member)
            values[member] = (*members[member])[pixel];
        std::nth_element(values.begin(), middle, values.end());
        median[pixel] = *middle;
    }
    const Pixels explained = darkestNearby<kBackgroundRadius>(median, sample.width, sample.height);
    Background background{std::vector<qint16>(explained.size()), sample.paper};
    for (std::size_t pixel = 0; pixel < explained.size(); ++pixel)
        background.inkBelow[pixel] = qint16(explained[pixel] - kInkMargin);
    return background;
}

// Darkness summed along the columns and along the rows, each less its mean, so that paper of
// another tone compares alike.
struct DarknessProfiles {
    std::vector<double> columns;
    std::vector<double> rows;
};

DarknessProfiles darknessProfiles(const GreyThumbnail& thumbnail)
{
    std::vector<qint64> columns(std::size_t(thumbnail.width));
    std::vector<qint64> rows(std::size_t(thumbnail.height));
    for (int y = 0; y < thumbnail.height; ++y) {
        const quint8* row = thumbnail.pixels.data() + std::size_t(y) * std::size_t(thumbnail.width);
        qint64 rowSum = 0;
        for (int x = 0; x < thumbnail.width; ++x) {
            const int darkness = 255 - row[x];
            columns[std::size_t(x)] += darkness;
            rowSum += darkness;
        }
        rows[std::size_t(y)] = rowSum;
    }
    const auto lessMean = [](const std::vector<qint64>& sums) {
        double mean = 0;
        for (qint64 sum : sums)
            mean += double(sum);
        mean /= double(sums.size());
        std::vector<double> profile(sums.size());
        for (std::size_t at = 0; at < sums.size(); ++at)
            profile[at] = double(sums[at]) - mean;
        return profile;
    };
    return {lessMean(columns), lessMean(rows)};
}

// How far the profile stands from the reference: the shift, within kLargestPrintShift, that
// makes them differ least, the smaller of two equal ones.
int profileShift(const std::vector<double>& profile, const std::vector<double>& reference)
{
    // Every shift is compared over the whole length, the profile's ends standing in for what
    // lies beyond them: a shift must not win by pushing a frame line out of the comparison.
    const int length = int(profile.size());
    int best = 0;
    double bestDifference = -1;
    for (int distance = 0; distance <= kLargestPrintShift; ++distance)
        for (int shift : {distance, -distance}) {
            double difference = 0;
            for (int at = 0; at < length; ++at)
                difference += std::abs(profile[std::size_t(std::clamp(at - shift, 0, length - 1))]
                                       - reference[std::size_t(at)]);
            if (bestDifference < 0 || difference < bestDifference) {
                best = shift;
                bestDifference = difference;
            }
        }
    return best;
}

// The cut-outs moved so that their print lies where it lies on the plainest of them, by
// comparing their darkness along the rows and the columns with its; what moves in from outside
// is white, which is never ink. The plainest (the least varied darkness) is most likely blank:
// its print alone, with every line sharp, where a median of shifted lines would blur them away.
std::vector<GreyThumbnail> alignedToCommonPrint(const std::vector<GreyThumbnail>& cutouts,
                                                const std::vector<int>& comparable)
{
    const auto variation = [](const std::vector<double>& profile) {
        double sum = 0;
        for (double value : profile)
            sum += value * value;
        return sum / double(profile.size());
    };
    std::vector<DarknessProfiles> profiles(cutouts.size());
    int plainest = comparable.front();
    double plainestVariation = -1;
    for (int index : comparable) {
        DarknessProfiles& profile = profiles[std::size_t(index)];
        profile = darknessProfiles(cutouts[std::size_t(index)]);
        const double varied = variation(profile.columns) + variation(profile.rows);
        if (plainestVariation < 0 || varied < plainestVariation) {
            plainest = index;
            plainestVariation = varied;
        }
    }
    const DarknessProfiles& reference = profiles[std::size_t(plainest)];

    std::vector<GreyThumbnail> aligned = cutouts;
    for (int index : comparable) {
        const GreyThumbnail& cutout = cutouts[std::size_t(index)];
        const int dx = profileShift(profiles[std::size_t(index)].columns, reference.columns);
        const int dy = profileShift(profiles[std::size_t(index)].rows, reference.rows);
        if ((dx == 0 && dy == 0) || std::abs(dx) >= cutout.width || std::abs(dy) >= cutout.height)
            continue;
        GreyThumbnail& moved = aligned[std::size_t(index)];
        std::fill(moved.pixels.begin(), moved.pixels.end(), quint8(255));
        for (int y = std::max(0, dy); y < std::min(cutout.height, cutout.height + dy); ++y)
            std::copy_n(cutout.pixels.begin() + qsizetype(y - dy) * cutout.width + std::max(0, -dx),
                        cutout.width - std::abs(dx),
                        moved.pixels.begin() + qsizetype(y) * cutout.width + std::max(0, dx));
    }
    return aligned;
}

// A length in thumbnail pixels of 2 × 2 as a length in thumbnail pixels of the block.
int forBlock(int length, int block)
{
    return std::max(2, length * 2 / block);
}

AnswerInk judged(const GreyThumbnail& cutout, int paper, const Background* background)
{
    AnswerInk answer;
    answer.width = cutout.width;
    answer.height = cutout.height;
    answer.mask.resize(cutout.pixels.size());
    if (background) {
        const int shift =
            std::clamp(background->paper - paper, -kLargestPaperShift, kLargestPaperShift);
        const quint8* pixels = cutout.pixels.data();
        const qint16* inkBelow = background->inkBelow.data();
        quint8* mask = answer.mask.data();
        for (std::size_t pixel = 0; pixel < cutout.pixels.size(); ++pixel)
            mask[pixel] = qint16(pixels[pixel] + shift) < inkBelow[pixel];
    } else {
        const int threshold = paper - kPlainInkMargin;
        for (std::size_t pixel = 0; pixel < cutout.pixels.size(); ++pixel)
            answer.mask[pixel] = cutout.pixels[pixel] < threshold;
    }
    answer.inkPixels = removeSpecks(answer.mask, cutout.width, cutout.height,
                                    forBlock(kSmallestStroke, cutout.block));
    answer.judgement = answer.inkPixels < forBlock(kLeastInk, cutout.block) ? InkJudgement::Blank
                                                                            : InkJudgement::Written;
    return answer;
}

} // namespace

GreyThumbnail greyThumbnail(const QImage& cutout)
{
    if (cutout.isNull())
        return {};
    const QImage pixels = cutout.format() == QImage::Format_BGR888
                              ? cutout
                              : cutout.convertToFormat(QImage::Format_RGB32);
    const int step = pixels.format() == QImage::Format_BGR888 ? 3 : 4;
    return thumbnailOf(pixels.width(), pixels.height(), step,
                       [&pixels](int y) { return pixels.constScanLine(y); });
}

GreyThumbnail readGreyThumbnail(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Mapped rather than read: the rows are visited once, and copying them first cost as much.
    if (const uchar* mapped = file.map(0, file.size())) {
        const std::optional<BmpRows> rows = BmpRows::fromBytes(QByteArrayView(mapped, file.size()));
        GreyThumbnail thumbnail;
        if (rows)
            thumbnail = thumbnailOf(rows->size().width(), rows->size().height(), 3,
                                    [&rows](int y) { return rows->row(y); });
        file.unmap(const_cast<uchar*>(mapped));
        if (rows)
            return thumbnail;
    }
    file.seek(0);
    const workspace::Expected<QImage> picture = decodePicture(file.readAll(), path);
    return picture ? greyThumbnail(*picture) : GreyThumbnail{};
}

std::vector<AnswerInk> judgeAnswerInk(const std::vector<GreyThumbnail>& cutouts)
{
    std::vector<AnswerInk> answers(cutouts.size());
    // Cut-outs of one region share their size; one of another size cannot be compared.
    std::map<std::pair<int, int>, int> sizes;
    for (const GreyThumbnail& cutout : cutouts)
        if (!cutout.isNull())
            ++sizes[{cutout.width, cutout.height}];
    if (sizes.empty())
        return answers;
    const std::pair<int, int> common =
        std::max_element(sizes.begin(), sizes.end(), [](const auto& one, const auto& other) {
            return one.second < other.second;
        })->first;
    std::vector<int> comparable;
    std::vector<int> papers(cutouts.size(), 255);
    for (int index = 0; index < int(cutouts.size()); ++index) {
        const GreyThumbnail& cutout = cutouts[std::size_t(index)];
        if (cutout.isNull() || std::pair{cutout.width, cutout.height} != common)
            continue;
        comparable.push_back(index);
        papers[std::size_t(index)] = paperLevel(cutout.pixels);
    }

    if (int(comparable.size()) < kLeastAnswersForBackground) {
        for (int index : comparable)
            answers[std::size_t(index)] =
                judged(cutouts[std::size_t(index)], papers[std::size_t(index)], nullptr);
        return answers;
    }
    const std::vector<GreyThumbnail> aligned = alignedToCommonPrint(cutouts, comparable);
    const auto judgeAll = [&](const std::vector<int>& which, double share) {
        const DarkenedSample sample = darkenedSample(aligned, which, papers);
        // In a small question an answer's own strokes, met by two others' at one place, would
        // make the median there; each answer is then judged against the others alone.
        const bool leaveOut =
            sample.indices.size() >= 2 && int(sample.indices.size()) < kLeaveOneOutBelow;
        const Background shared = backgroundOf(sample, -1, share);
        for (int index : comparable) {
            const bool ownLeftOut =
                leaveOut
                && std::find(sample.indices.begin(), sample.indices.end(), index)
                       != sample.indices.end();
            const Background own = ownLeftOut ? backgroundOf(sample, index, share) : Background{};
            answers[std::size_t(index)] =
                judged(aligned[std::size_t(index)], papers[std::size_t(index)],
                       ownLeftOut ? &own : &shared);
        }
    };
    // Of all answers, a level that three in four are darker than: print, which every answer
    // has, stays in it; pupils' strokes that met at one place on half of the answers do not.
    judgeAll(comparable, kAllAnswersShare);
    // Where most pupils wrote alike, the background of all answers holds some of their strokes;
    // the blank answers alone hold only the print.
    std::vector<int> blanks;
    for (int index : comparable)
        if (answers[std::size_t(index)].judgement == InkJudgement::Blank)
            blanks.push_back(index);
    if (blanks.empty() || blanks.size() == comparable.size())
        return answers;
    // Where most pupils wrote alike, so much alike that their strokes stayed in that background,
    // the answers taken for blank include theirs. The one with the least dark of all is most
    // likely blank: only those with nothing beyond its print stand for the background.
    const auto darkPixels = [&](int index) {
        const GreyThumbnail& cutout = aligned[std::size_t(index)];
        const int threshold = papers[std::size_t(index)] - kPlainInkMargin;
        return std::count_if(cutout.pixels.begin(), cutout.pixels.end(),
                             [threshold](quint8 value) { return value < threshold; });
    };
    const int plainest = *std::min_element(blanks.begin(), blanks.end(), [&](int one, int other) {
        return darkPixels(one) < darkPixels(other);
    });
    const Background alone = backgroundOf(darkenedSample(aligned, {plainest}, papers), -1, 0.5);
    std::vector<int> alike;
    for (int index : blanks)
        if (index == plainest
            || judged(aligned[std::size_t(index)], papers[std::size_t(index)], &alone).judgement
                   == InkJudgement::Blank)
            alike.push_back(index);
    // Left out of its own, an answer taken for blank is judged against the others alone.
    judgeAll(alike, kMedianShare);
    return answers;
}

} // namespace imaging
