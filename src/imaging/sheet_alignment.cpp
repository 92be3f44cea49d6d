// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_alignment.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <numbers>

namespace imaging {

namespace {

// The resolution the form is compared at: a rule of a printed form stays visible, and a sheet is
// small enough (413 × 584 pixels for A4) to compare in a few milliseconds.
constexpr double kWorkingDotsPerInch = 50;
// The shortest straight stroke taken for a rule or a box edge, in working pixels (7.6 mm):
// longer than most strokes of handwriting, short enough to stay straight on a sheet turned by
// two degrees.
constexpr int kRuleLength = 15;
// Strokes at least this wide in working pixels (3.5 mm) are areas, not rules.
constexpr int kThickest = 7;
// Ink (0 … 255) below which a pixel of the rule image is paper: the grain of the paper and
// faint show-through.
constexpr double kPaperInk = 30;
// A pixel of the rule image darker than this belongs to a rule.
constexpr int kRuleInk = 60;
// The share of the page that rules across and rules down must each cover for a sheet to show
// a form: about one rule across the width and one down the height of an A4 page.
constexpr double kMinRuleShare = 0.0015;
// The lowest correlation of the rule images after alignment taken as the same form. Copies of
// one form with different handwriting correlate at 0.95 or more; another form measured 0.2 at
// most.
constexpr double kMinConfidence = 0.8;
// How far a sheet may lie from the reference and still be aligned: copiers enlarge or shrink by
// a percent or two (either sheet may be scaled), feeders turn a sheet by a degree or two and
// shift it by millimetres.
constexpr double kMaxScaleChange = 0.05;
constexpr double kMaxShear = 0.03;
constexpr double kMaxDegrees = 5;
constexpr double kMaxShiftMillimetres = 25;
constexpr double kMillimetresPerInch = 25.4;
// A match this close ends the search. Below it, the best of the candidates tried wins: on a form
// of evenly spaced boxes a match one row off correlates nearly as well as the right one.
constexpr double kCertain = 0.97;
// The highest peaks of the coarse match taken from each orientation, and how many of all are
// followed until one is certain.
constexpr int kShiftsTried = 3;
constexpr int kCandidatesTried = 4;
// For a sheet none of those match: the turns its best shift is sought again from.
constexpr std::array<double, 2> kStartingTurns{-2.0, 2.0};
constexpr int kTurnedShiftsTried = 1;
// Gauss-Newton steps at a quarter, a half and the whole working resolution: the coarsest find the
// turn and scale from a shift alone, cheaply; the finer ones settle the last tenths of a pixel.
constexpr int kCoarsestSteps = 30;
constexpr int kCoarseSteps = 8;
constexpr int kFineSteps = 2;
// A step that moves no point of the page by more than this many pixels ends the search.
constexpr double kSettled = 0.01;

void useOneThreadPerSheet()
{
    // The steps already align one sheet per core; OpenCV's own pool on top would fight them.
    static std::once_flag once;
    std::call_once(once, [] { cv::setNumThreads(1); });
}

cv::Mat wrapped(const SheetPixels& sheet)
{
    return cv::Mat(sheet.size.height(), sheet.size.width(),
                   sheet.bytesPerPixel == 4 ? CV_8UC4 : CV_8UC3, const_cast<uchar*>(sheet.rows),
                   static_cast<size_t>(sheet.stride));
}

// From sheet pixels to working pixels, pixel centres onto pixel centres: a working pixel is the
// mean of a square of `factor` sheet pixels, the squares counted from `origin`.
struct Reduction {
    int factor = 1;
    QPointF origin;

    [[nodiscard]] QTransform toWorking() const
    {
        const double scale = 1.0 / factor;
        return QTransform(scale, 0, 0, scale, (0.5 - origin.x()) * scale - 0.5,
                          (0.5 - origin.y()) * scale - 0.5);
    }
};

// The sheet's printed rules at the working resolution, ink bright on black, slightly blurred so
// that alignment finds its way from a few pixels off; and what share of the page they cover.
struct Rules {
    Reduction reduction;
    cv::Mat fine;
    cv::Mat across;
    cv::Mat down;
    double shareAcross = 0;
    double shareDown = 0;

    [[nodiscard]] bool showForm() const
    {
        return shareAcross >= kMinRuleShare && shareDown >= kMinRuleShare;
    }
};

Rules rulesOf(const SheetPixels& sheet)
{
    Rules rules;
    // A whole number of sheet pixels per working pixel keeps the reduction a plain mean of
    // squares, several times faster than a fractional one.
    rules.reduction.factor =
        std::max(1, static_cast<int>(std::lround(sheet.dotsPerInch / kWorkingDotsPerInch)));
    const int factor = rules.reduction.factor;
    const cv::Size working(sheet.size.width() / factor, sheet.size.height() / factor);
    if (working.width < 2 * kRuleLength || working.height < 2 * kRuleLength)
        return rules;
    // The rows in memory of a bottom-up picture start at its bottom; those left over lie at the
    // top.
    const int usedHeight = working.height * factor;
    rules.reduction.origin = QPointF(0, sheet.bottomUp ? sheet.size.height() - usedHeight : 0);
    const cv::Mat pixels = wrapped(sheet)(cv::Rect(0, 0, working.width * factor, usedHeight));
    cv::Mat grey;
    cv::cvtColor(pixels, grey, sheet.bytesPerPixel == 4 ? cv::COLOR_BGRA2GRAY : cv::COLOR_BGR2GRAY);
    cv::Mat reduced;
    cv::resize(grey, reduced, working, 0, 0, cv::INTER_AREA);
    if (sheet.bottomUp)
        cv::flip(reduced, reduced, 0);
    cv::Mat ink;
    cv::bitwise_not(reduced, ink);
    // Only thin strokes: a dark area (a coloured or black page, the scanner's lid beyond the
    // paper) is no rule.
    cv::morphologyEx(ink, ink, cv::MORPH_TOPHAT,
                     cv::getStructuringElement(cv::MORPH_RECT, {kThickest, kThickest}));

    // An opening with a long thin bar keeps what the bar fits into: rules and box edges, not the
    // curves and short strokes of handwriting.
    cv::morphologyEx(ink, rules.across, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, {kRuleLength, 1}));
    cv::morphologyEx(ink, rules.down, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, {1, kRuleLength}));
    const cv::Mat lines = cv::max(rules.across, rules.down);
    lines.convertTo(rules.fine, CV_32F);
    cv::threshold(rules.fine, rules.fine, kPaperInk, 0, cv::THRESH_TOZERO);
    cv::threshold(rules.across, rules.across, kRuleInk, 1, cv::THRESH_BINARY);
    cv::threshold(rules.down, rules.down, kRuleInk, 1, cv::THRESH_BINARY);
    const double pixelCount = static_cast<double>(ink.total());
    rules.shareAcross = cv::countNonZero(rules.across) / pixelCount;
    rules.shareDown = cv::countNonZero(rules.down) / pixelCount;
    cv::GaussianBlur(rules.fine, rules.fine, {0, 0}, 1.0);
    return rules;
}

// The picture laid on a black canvas of the given size from its top left corner, cut where it
// is larger: phase correlation compares pictures of one size.
cv::Mat onCanvas(const cv::Mat& picture, cv::Size size)
{
    if (picture.size() == size)
        return picture;
    cv::Mat canvas = cv::Mat::zeros(size, picture.type());
    const cv::Rect common(0, 0, std::min(size.width, picture.cols),
                          std::min(size.height, picture.rows));
    picture(common).copyTo(canvas(common));
    return canvas;
}

cv::Mat toWarp(const QTransform& transform)
{
    return (cv::Mat_<double>(2, 3) << transform.m11(), transform.m21(), transform.dx(),
            transform.m12(), transform.m22(), transform.dy());
}

// Whether the sheet's place against the reference is one a copier or feeder gives it.
bool isPlausible(const QTransform& map, cv::Size working)
{
    const double scaleAcross = std::hypot(map.m11(), map.m12());
    const double scaleDown = std::hypot(map.m21(), map.m22());
    const double shear =
        (map.m11() * map.m21() + map.m12() * map.m22()) / (scaleAcross * scaleDown);
    const double degrees = std::atan2(map.m12(), map.m11()) * 180 / std::numbers::pi;
    const QPointF centre(0.5 * (working.width - 1), 0.5 * (working.height - 1));
    const QPointF moved = map.map(centre) - centre;
    const double shift = std::hypot(moved.x(), moved.y());
    const double maxShift = kMaxShiftMillimetres / kMillimetresPerInch * kWorkingDotsPerInch;
    return std::isfinite(shift) && std::abs(scaleAcross - 1) <= kMaxScaleChange
           && std::abs(scaleDown - 1) <= kMaxScaleChange && std::abs(shear) <= kMaxShear
           && std::abs(degrees) <= kMaxDegrees && shift <= maxShift;
}

// The correlation (−1 … 1) of two pictures of one size.
double correlation(const cv::Mat& first, const cv::Mat& second)
{
    cv::Scalar firstMean;
    cv::Scalar firstDeviation;
    cv::Scalar secondMean;
    cv::Scalar secondDeviation;
    cv::meanStdDev(first, firstMean, firstDeviation);
    cv::meanStdDev(second, secondMean, secondDeviation);
    const double spread = firstDeviation[0] * secondDeviation[0];
    if (spread <= 0)
        return 0;
    const double product = first.dot(second) / static_cast<double>(first.total());
    return (product - firstMean[0] * secondMean[0]) / spread;
}

// The picture's value at a point between pixel centres, blended from its four neighbours; black
// beyond its edges.
float sampled(const cv::Mat& picture, float x, float y)
{
    // Also what a search that ran off far away, or to no number at all, finds, before a place
    // too large for an int is turned into one.
    if (!(x > -1 && y > -1 && x < static_cast<float>(picture.cols)
          && y < static_cast<float>(picture.rows)))
        return 0;
    const float left = std::floor(x);
    const float top = std::floor(y);
    const int column = static_cast<int>(left);
    const int row = static_cast<int>(top);
    const float across = x - left;
    const float down = y - top;
    if (column >= 0 && row >= 0 && column + 1 < picture.cols && row + 1 < picture.rows) {
        const float* upper = picture.ptr<float>(row) + column;
        const float* lower = picture.ptr<float>(row + 1) + column;
        const float above = upper[0] + (upper[1] - upper[0]) * across;
        const float below = lower[0] + (lower[1] - lower[0]) * across;
        return above + (below - above) * down;
    }
    const auto at = [&picture](int atColumn, int atRow) {
        return atColumn >= 0 && atRow >= 0 && atColumn < picture.cols && atRow < picture.rows
                   ? picture.at<float>(atRow, atColumn)
                   : 0.0F;
    };
    const float above = at(column, row) + (at(column + 1, row) - at(column, row)) * across;
    const float below =
        at(column, row + 1) + (at(column + 1, row + 1) - at(column, row + 1)) * across;
    return above + (below - above) * down;
}

// A picture of the reference's rules ready for Gauss-Newton alignment (the inverse
// compositional form): the change of the picture with each of the six parameters of an affine
// map, and their products summed, computed once for every sheet aligned to it.
// Our own rather than OpenCV's findTransformECC, which recomputes these for every sheet and every
// step and took about 13 ms a step at the working resolution, over the import's budget. Only the
// pixels near a rule, where the picture changes, take part: elsewhere every change is zero and
// adds nothing to a step, and the rules cover a small share of a page.
struct Template {
    cv::Size size;
    std::vector<cv::Point2f> places;
    std::vector<float> values;
    std::array<std::vector<float>, 6> steepest;
    cv::Matx66d hessian;

    explicit Template(const cv::Mat& picture)
        : size(picture.size())
    {
        cv::Mat gradientX;
        cv::Mat gradientY;
        cv::Sobel(picture, gradientX, CV_32F, 1, 0, 3, 1.0 / 8);
        cv::Sobel(picture, gradientY, CV_32F, 0, 1, 3, 1.0 / 8);
        for (int row = 0; row < picture.rows; ++row) {
            const auto* across = gradientX.ptr<float>(row);
            const auto* down = gradientY.ptr<float>(row);
            const auto* value = picture.ptr<float>(row);
            for (int column = 0; column < picture.cols; ++column) {
                if (across[column] == 0 && down[column] == 0)
                    continue;
                const auto x = static_cast<float>(column);
                const auto y = static_cast<float>(row);
                places.emplace_back(x, y);
                values.push_back(value[column]);
                const std::array<float, 6> changes{across[column] * x, down[column] * x,
                                                   across[column] * y, down[column] * y,
                                                   across[column],     down[column]};
                for (int parameter = 0; parameter < 6; ++parameter)
                    steepest[parameter].push_back(changes[parameter]);
            }
        }
        for (int first = 0; first < 6; ++first)
            for (int second = first; second < 6; ++second) {
                double sum = 0;
                for (std::size_t index = 0; index < places.size(); ++index)
                    sum += double{steepest[first][index]} * steepest[second][index];
                hessian(first, second) = hessian(second, first) = sum;
            }
    }

    // Refines the map from template pixels to picture pixels; false when the steps run off.
    bool align(const cv::Mat& sheet, QTransform& map, int steps) const
    {
        for (int step = 0; step < steps; ++step) {
            const auto m11 = static_cast<float>(map.m11());
            const auto m12 = static_cast<float>(map.m12());
            const auto m21 = static_cast<float>(map.m21());
            const auto m22 = static_cast<float>(map.m22());
            const auto dx = static_cast<float>(map.dx());
            const auto dy = static_cast<float>(map.dy());
            cv::Vec6d gradient;
            for (std::size_t index = 0; index < places.size(); ++index) {
                const cv::Point2f place = places[index];
                const float error = sampled(sheet, m11 * place.x + m21 * place.y + dx,
                                            m12 * place.x + m22 * place.y + dy)
                                    - values[index];
                for (int parameter = 0; parameter < 6; ++parameter)
                    gradient[parameter] += double{steepest[parameter][index] * error};
            }
            cv::Vec6d change;
            if (!cv::solve(hessian, gradient, change, cv::DECOMP_CHOLESKY))
                return false;
            const QTransform stepMap(1 + change[0], change[1], change[2], 1 + change[3], change[4],
                                     change[5]);
            bool invertible = false;
            const QTransform undo = stepMap.inverted(&invertible);
            if (!invertible)
                return false;
            map = undo * map;
            const double moved = std::abs(change[4]) + std::abs(change[5])
                                 + (std::abs(change[0]) + std::abs(change[1]) + std::abs(change[2])
                                    + std::abs(change[3]))
                                       * std::max(size.width, size.height);
            if (!std::isfinite(moved))
                return false;
            if (moved < kSettled)
                break;
        }
        return true;
    }
};

// One way of laying the sheet on the reference: as scanned or upside down.
struct Candidate {
    cv::Mat fine;
    bool upsideDown = false;
    QTransform map;
    double response = 0;
};

// The spectrum of a picture for phase correlation: windowed, padded to a size the transform is
// fast at.
cv::Mat spectrumOf(const cv::Mat& picture, const cv::Mat& window, cv::Size padded)
{
    cv::Mat windowed = picture.mul(window);
    cv::copyMakeBorder(windowed, windowed, 0, padded.height - picture.rows, 0,
                       padded.width - picture.cols, cv::BORDER_CONSTANT, 0);
    cv::Mat spectrum;
    cv::dft(windowed, spectrum, cv::DFT_COMPLEX_OUTPUT);
    return spectrum;
}

// The shifts at which the sheet best matches the reference, best first: the highest peaks of
// their phase correlation. A form of evenly spaced boxes matches nearly as well one box off, so
// the few highest peaks are all tried.
std::vector<std::pair<cv::Point, double>> bestShifts(const cv::Mat& referenceSpectrum,
                                                     const cv::Mat& sheetSpectrum, int count)
{
    cv::Mat product;
    cv::mulSpectrums(sheetSpectrum, referenceSpectrum, product, 0, true);
    std::array<cv::Mat, 2> parts;
    cv::split(product, parts.data());
    cv::Mat magnitude;
    cv::magnitude(parts[0], parts[1], magnitude);
    magnitude += 1e-9;
    cv::divide(parts[0], magnitude, parts[0]);
    cv::divide(parts[1], magnitude, parts[1]);
    cv::merge(parts.data(), 2, product);
    cv::Mat surface;
    cv::idft(product, surface, cv::DFT_REAL_OUTPUT | cv::DFT_SCALE);

    constexpr int kSuppressed = 4;
    std::vector<std::pair<cv::Point, double>> shifts;
    for (int peak = 0; peak < count; ++peak) {
        double value = 0;
        cv::Point at;
        cv::minMaxLoc(surface, nullptr, &value, nullptr, &at);
        if (value <= 0)
            break;
        cv::rectangle(surface, {at.x - kSuppressed, at.y - kSuppressed},
                      {at.x + kSuppressed, at.y + kSuppressed}, cv::Scalar(0), cv::FILLED);
        // The surface wraps around: a peak past the middle is a shift backwards.
        const cv::Point shift(at.x > surface.cols / 2 ? at.x - surface.cols : at.x,
                              at.y > surface.rows / 2 ? at.y - surface.rows : at.y);
        shifts.emplace_back(shift, value);
    }
    return shifts;
}

} // namespace

struct AlignmentReference::Form {
    Rules rules;
    cv::Mat window;
    cv::Size padded;
    cv::Mat spectrum;
    std::optional<Template> coarsest;
    std::optional<Template> coarse;
    std::optional<Template> fine;
    QSize sheetSize;

    [[nodiscard]] cv::Size workingSize() const { return rules.fine.size(); }

    // Refines the map of a candidate from its coarse shift, at a quarter, a half and the whole
    // working resolution in turn. Nothing when the search runs off.
    [[nodiscard]] std::optional<QTransform> refine(const Candidate& candidate) const
    {
        cv::Mat halved;
        cv::pyrDown(candidate.fine, halved);
        cv::Mat quartered;
        cv::pyrDown(halved, quartered);
        // A pixel at half resolution is two pixels of the finer one, its centre on an even one.
        const QTransform half(0.5, 0, 0, 0.5, 0, 0);
        QTransform map = half.inverted() * half.inverted() * candidate.map * half * half;
        if (!coarsest->align(quartered, map, kCoarsestSteps))
            return std::nullopt;
        map = half * map * half.inverted();
        // A candidate that ran off to where no feeder lays a sheet is given up before the finer,
        // dearer steps.
        if (!isPlausible(half * map * half.inverted(), workingSize()))
            return std::nullopt;
        if (!coarse->align(halved, map, kCoarseSteps))
            return std::nullopt;
        map = half * map * half.inverted();
        if (!fine->align(candidate.fine, map, kFineSteps))
            return std::nullopt;
        return map;
    }

    // How well the sheet's rules, laid where the map says, match the reference's.
    [[nodiscard]] double confidence(const cv::Mat& sheet, const QTransform& map) const
    {
        cv::Mat laid;
        cv::warpAffine(sheet, laid, toWarp(map), workingSize(),
                       cv::INTER_LINEAR | cv::WARP_INVERSE_MAP);
        return correlation(rules.fine, laid);
    }
};

AlignmentReference AlignmentReference::fromSheet(const SheetPixels& sheet)
{
    useOneThreadPerSheet();
    AlignmentReference reference;
    reference.m_sheetSize = sheet.size;
    auto form = std::make_shared<Form>();
    try {
        form->rules = rulesOf(sheet);
        if (!form->rules.showForm())
            return reference;
        cv::Mat halved;
        cv::pyrDown(form->rules.fine, halved);
        cv::createHanningWindow(form->window, halved.size(), CV_32F);
        form->padded = {cv::getOptimalDFTSize(halved.cols), cv::getOptimalDFTSize(halved.rows)};
        form->spectrum = spectrumOf(halved, form->window, form->padded);
        cv::Mat quartered;
        cv::pyrDown(halved, quartered);
        form->coarsest.emplace(quartered);
        form->coarse.emplace(halved);
        form->fine.emplace(form->rules.fine);
    } catch (const cv::Exception&) {
        return reference;
    }
    form->sheetSize = sheet.size;
    reference.m_form = std::move(form);
    return reference;
}

bool AlignmentReference::hasForm() const
{
    return m_form && m_form->rules.showForm();
}

SheetAlignment AlignmentReference::align(const SheetPixels& sheet) const
{
    SheetAlignment alignment;
    if (!hasForm())
        return alignment;
    const Form& form = *m_form;
    try {
        const Rules rules = rulesOf(sheet);
        if (!rules.showForm()) {
            alignment.outcome = SheetAlignment::Outcome::NoForm;
            return alignment;
        }
        const cv::Size working = rules.fine.size();
        const cv::Size halvedSize = form.coarse->size;
        // The sheet's rules as scanned and turned upside down, turned only when its shifts upside
        // down are sought, as few sheets need.
        std::array<cv::Mat, 2> oriented{rules.fine, cv::Mat()};
        const auto orientedFine = [&](bool upsideDown) -> const cv::Mat& {
            if (upsideDown && oriented[1].empty())
                cv::rotate(rules.fine, oriented[1], cv::ROTATE_180);
            return oriented[upsideDown];
        };
        const auto spectrumAt = [&](const cv::Mat& picture) {
            cv::Mat halved;
            cv::pyrDown(picture, halved);
            return spectrumOf(onCanvas(halved, halvedSize), form.window, form.padded);
        };
        std::optional<bool> chosenUpsideDown;
        QTransform best;
        const auto consider = [&](const Candidate& candidate) {
            const std::optional<QTransform> map = form.refine(candidate);
            if (!map || !isPlausible(*map, form.workingSize()))
                return;
            const double confidence = form.confidence(candidate.fine, *map);
            if (confidence > alignment.confidence) {
                alignment.confidence = confidence;
                best = *map;
                chosenUpsideDown = candidate.upsideDown;
            }
        };
        std::vector<Candidate> candidates;
        const auto addCandidates = [&](bool upsideDown) {
            const cv::Mat& fine = orientedFine(upsideDown);
            for (const auto& [shift, response] :
                 bestShifts(form.spectrum, spectrumAt(fine), kShiftsTried))
                candidates.push_back({fine, upsideDown,
                                      QTransform::fromTranslate(2 * shift.x, 2 * shift.y),
                                      response});
        };
        // Most sheets come the right way up and match at their best shift as scanned: the shifts
        // of the sheet upside down are sought only when that one is not certain, and then the
        // best of all are tried in turn.
        addCandidates(false);
        int tried = 0;
        if (!candidates.empty()) {
            consider(candidates.front());
            candidates.erase(candidates.begin());
            tried = 1;
        }
        if (alignment.confidence < kCertain) {
            addCandidates(true);
            std::stable_sort(candidates.begin(), candidates.end(),
                             [](const Candidate& first, const Candidate& second) {
                                 return first.response > second.response;
                             });
            for (const Candidate& candidate : candidates) {
                if (tried == kCandidatesTried || alignment.confidence >= kCertain)
                    break;
                ++tried;
                consider(candidate);
            }
        }
        // A sheet turned by two degrees or so against sheet 1 blurs the peaks of the shifts, and
        // on a form of evenly spaced boxes the best of them may be a row off: before such a sheet
        // is given up, its shifts are sought again with the sheet turned back by a few degrees.
        if (alignment.confidence < kMinConfidence) {
            const cv::Point2f centre(0.5F * static_cast<float>(working.width - 1),
                                     0.5F * static_cast<float>(working.height - 1));
            for (const double degrees : kStartingTurns)
                for (const bool upsideDown : {false, true}) {
                    const cv::Mat& fine = orientedFine(upsideDown);
                    const cv::Mat turning = cv::getRotationMatrix2D(centre, degrees, 1.0);
                    cv::Mat turned;
                    cv::warpAffine(fine, turned, turning, fine.size());
                    const cv::Mat spectrum = spectrumAt(turned);
                    // Sheet to turned sheet, as the rotation matrix maps them.
                    const QTransform turnedFromSheet(
                        turning.at<double>(0, 0), turning.at<double>(1, 0),
                        turning.at<double>(0, 1), turning.at<double>(1, 1),
                        turning.at<double>(0, 2), turning.at<double>(1, 2));
                    for (const auto& [shift, response] :
                         bestShifts(form.spectrum, spectrum, kTurnedShiftsTried))
                        consider({fine, upsideDown,
                                  QTransform::fromTranslate(2 * shift.x, 2 * shift.y)
                                      * turnedFromSheet.inverted(),
                                  response});
                }
        }
        if (!chosenUpsideDown || alignment.confidence < kMinConfidence)
            return alignment;

        QTransform turn;
        if (*chosenUpsideDown)
            turn = QTransform(-1, 0, 0, -1, working.width - 1, working.height - 1);
        alignment.referenceToScan =
            form.rules.reduction.toWorking() * best * turn * rules.reduction.toWorking().inverted();
        alignment.upsideDown = *chosenUpsideDown;
        alignment.outcome = SheetAlignment::Outcome::Aligned;
    } catch (const cv::Exception&) {
        alignment.outcome = SheetAlignment::Outcome::NotConfident;
    }
    return alignment;
}

double largestMove(const QTransform& referenceToScan, QSize page)
{
    double largest = 0;
    const double right = page.width() - 1;
    const double bottom = page.height() - 1;
    for (const QPointF corner :
         {QPointF(0, 0), QPointF(right, 0), QPointF(0, bottom), QPointF(right, bottom)}) {
        const QPointF moved = referenceToScan.map(corner) - corner;
        largest = std::max(largest, std::hypot(moved.x(), moved.y()));
    }
    return largest;
}

} // namespace imaging
