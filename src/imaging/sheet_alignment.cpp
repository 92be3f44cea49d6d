// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_alignment.h"

#include "bmp_codec.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/video/tracking.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <numbers>

namespace imaging {

namespace {

// The resolution the form is compared at: a rule of a printed form stays visible, and a sheet is
// small enough (415 × 585 pixels for A4) to compare in a few milliseconds.
constexpr double kWorkingDotsPerInch = 50;
// The shortest straight stroke taken for a rule or a box edge, in working pixels (7.6 mm):
// longer than most strokes of handwriting, short enough to stay straight on a sheet turned by
// two degrees.
constexpr int kRuleLength = 15;
// Ink (0 … 255) below which a pixel of the rule image is paper: the grain of the paper and
// faint show-through.
constexpr double kPaperInk = 30;
// A pixel of the rule image darker than this belongs to a rule.
constexpr int kRuleInk = 60;
// The share of the page that rules across and rules down must each cover for a sheet to show
// a form: about one rule across the width and one down the height of an A4 page.
constexpr double kMinRuleShare = 0.0015;
// The lowest match of the printed lines after alignment taken as the same form. Copies of one
// form with different handwriting match at 0.75 or more; another form or a page of text
// reaches 0.4 at most.
constexpr double kMinConfidence = 0.6;
// How far a sheet may lie from the reference and still be aligned: copiers enlarge or shrink by
// a percent or two, feeders turn a sheet by a degree or two and shift it by millimetres.
constexpr double kMaxScaleChange = 0.03;
constexpr double kMaxShear = 0.03;
constexpr double kMaxDegrees = 5;
constexpr double kMaxShiftMillimetres = 25;
constexpr double kMillimetresPerInch = 25.4;
// A second orientation is tried in full when its coarse match comes this close to the first's.
constexpr double kAmbiguousResponse = 0.7;

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

// Working pixels per sheet pixel, across and down.
cv::Size workingSize(const SheetPixels& sheet)
{
    const double factor = kWorkingDotsPerInch / sheet.dotsPerInch;
    return {std::max(1, static_cast<int>(std::lround(sheet.size.width() * factor))),
            std::max(1, static_cast<int>(std::lround(sheet.size.height() * factor)))};
}

// The sheet's printed rules at the working resolution, ink bright on black, slightly blurred so
// that alignment finds its way from a few pixels off; and what share of the page they cover.
struct Rules {
    cv::Mat fine;
    cv::Mat coarse;
    double shareAcross = 0;
    double shareDown = 0;

    [[nodiscard]] bool showForm() const
    {
        return shareAcross >= kMinRuleShare && shareDown >= kMinRuleShare;
    }
};

cv::Mat coarser(const cv::Mat& fine)
{
    cv::Mat coarse;
    cv::pyrDown(fine, coarse);
    return coarse;
}

Rules rulesOf(const SheetPixels& sheet)
{
    const cv::Mat pixels = wrapped(sheet);
    cv::Mat grey;
    cv::cvtColor(pixels, grey, sheet.bytesPerPixel == 4 ? cv::COLOR_BGRA2GRAY : cv::COLOR_BGR2GRAY);
    cv::Mat reduced;
    cv::resize(grey, reduced, workingSize(sheet), 0, 0, cv::INTER_AREA);
    if (sheet.bottomUp)
        cv::flip(reduced, reduced, 0);
    cv::Mat ink;
    cv::bitwise_not(reduced, ink);

    // An opening with a long thin bar keeps what the bar fits into: rules and box edges, not the
    // curves and short strokes of handwriting.
    cv::Mat across;
    cv::Mat down;
    cv::morphologyEx(ink, across, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, {kRuleLength, 1}));
    cv::morphologyEx(ink, down, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, {1, kRuleLength}));
    Rules rules;
    const double pixelCount = static_cast<double>(ink.total());
    rules.shareAcross = cv::countNonZero(across > kRuleInk) / pixelCount;
    rules.shareDown = cv::countNonZero(down > kRuleInk) / pixelCount;

    cv::Mat lines = cv::max(across, down);
    lines.convertTo(rules.fine, CV_32F);
    cv::threshold(rules.fine, rules.fine, kPaperInk, 0, cv::THRESH_TOZERO);
    cv::GaussianBlur(rules.fine, rules.fine, {0, 0}, 1.0);
    rules.coarse = coarser(rules.fine);
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

// An affine map as OpenCV's 2 × 3 matrix [a b tx; c d ty] (x' = a x + b y + tx) and back.
QTransform toQTransform(const cv::Mat& warp)
{
    const auto at = [&warp](int row, int column) {
        return static_cast<qreal>(warp.at<float>(row, column));
    };
    return QTransform(at(0, 0), at(1, 0), at(0, 1), at(1, 1), at(0, 2), at(1, 2));
}

cv::Mat toWarp(const QTransform& transform)
{
    return (cv::Mat_<double>(2, 3) << transform.m11(), transform.m21(), transform.dx(),
            transform.m12(), transform.m22(), transform.dy());
}

// From sheet pixels to working pixels, pixel centres onto pixel centres.
QTransform toWorking(QSize sheet, cv::Size working)
{
    const double sx = static_cast<double>(working.width) / sheet.width();
    const double sy = static_cast<double>(working.height) / sheet.height();
    return QTransform(sx, 0, 0, sy, 0.5 * sx - 0.5, 0.5 * sy - 0.5);
}

// Whether the sheet's place against the reference is one a copier or feeder gives it.
bool isPlausible(const cv::Mat& warp, cv::Size working)
{
    const double a = warp.at<float>(0, 0);
    const double b = warp.at<float>(0, 1);
    const double c = warp.at<float>(1, 0);
    const double d = warp.at<float>(1, 1);
    const double scaleAcross = std::hypot(a, c);
    const double scaleDown = std::hypot(b, d);
    const double shear = (a * b + c * d) / (scaleAcross * scaleDown);
    const double degrees = std::atan2(c, a) * 180 / std::numbers::pi;
    const double centreX = 0.5 * (working.width - 1);
    const double centreY = 0.5 * (working.height - 1);
    const double shift = std::hypot(a * centreX + b * centreY + warp.at<float>(0, 2) - centreX,
                                    c * centreX + d * centreY + warp.at<float>(1, 2) - centreY);
    const double maxShift = kMaxShiftMillimetres / kMillimetresPerInch * kWorkingDotsPerInch;
    return std::isfinite(shift) && std::abs(scaleAcross - 1) <= kMaxScaleChange
           && std::abs(scaleDown - 1) <= kMaxScaleChange && std::abs(shear) <= kMaxShear
           && std::abs(degrees) <= kMaxDegrees && shift <= maxShift;
}

// One way of laying the sheet on the reference: as scanned or upside down.
struct Candidate {
    cv::Mat fine;
    cv::Mat coarse;
    bool upsideDown = false;
    cv::Point2d shift;
    double response = 0;
};

struct Match {
    cv::Mat warp;
    double confidence = -1;
};

} // namespace

struct AlignmentReference::Form {
    Rules rules;
    cv::Mat window;
    QSize sheetSize;
    cv::Size workingSize;

    // Refines the coarse shift of a candidate to a full affine map at both resolutions; the
    // confidence is that of the finer one, -1 when the sheets do not correlate at all.
    [[nodiscard]] Match refine(const Candidate& candidate) const
    {
        Match match;
        match.warp = (cv::Mat_<float>(2, 3) << 1, 0, candidate.shift.x, 0, 1, candidate.shift.y);
        try {
            cv::findTransformECC(rules.coarse, candidate.coarse, match.warp, cv::MOTION_AFFINE,
                                 {cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 30, 1e-4},
                                 cv::noArray(), 3);
            match.warp.at<float>(0, 2) *= 2;
            match.warp.at<float>(1, 2) *= 2;
            match.confidence = cv::findTransformECC(
                rules.fine, candidate.fine, match.warp, cv::MOTION_AFFINE,
                {cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 15, 1e-5}, cv::noArray(), 3);
        } catch (const cv::Exception&) {
            match.confidence = -1;
        }
        return match;
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
        cv::createHanningWindow(form->window, form->rules.coarse.size(), CV_32F);
    } catch (const cv::Exception&) {
        return reference;
    }
    form->sheetSize = sheet.size;
    form->workingSize = form->rules.fine.size();
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
    if (!hasForm()) {
        alignment.outcome = SheetAlignment::Outcome::NotConfident;
        return alignment;
    }
    const Form& form = *m_form;
    try {
        const Rules rules = rulesOf(sheet);
        if (!rules.showForm()) {
            alignment.outcome = SheetAlignment::Outcome::NoForm;
            return alignment;
        }
        std::array<Candidate, 2> candidates;
        candidates[0].fine = rules.fine;
        candidates[0].coarse = rules.coarse;
        cv::rotate(rules.fine, candidates[1].fine, cv::ROTATE_180);
        candidates[1].coarse = coarser(candidates[1].fine);
        candidates[1].upsideDown = true;
        for (Candidate& candidate : candidates)
            candidate.shift =
                cv::phaseCorrelate(form.rules.coarse,
                                   onCanvas(candidate.coarse, form.rules.coarse.size()),
                                   form.window, &candidate.response);
        if (candidates[1].response > candidates[0].response)
            std::swap(candidates[0], candidates[1]);

        Match best = form.refine(candidates[0]);
        const Candidate* chosen = &candidates[0];
        if (candidates[1].response >= kAmbiguousResponse * candidates[0].response) {
            if (Match other = form.refine(candidates[1]); other.confidence > best.confidence) {
                best = std::move(other);
                chosen = &candidates[1];
            }
        }
        alignment.confidence = std::max(0.0, best.confidence);
        if (best.confidence < kMinConfidence || !isPlausible(best.warp, form.workingSize))
            return alignment;

        const cv::Size sheetWorking = rules.fine.size();
        QTransform turn;
        if (chosen->upsideDown)
            turn = QTransform(-1, 0, 0, -1, sheetWorking.width - 1, sheetWorking.height - 1);
        alignment.referenceToScan = toWorking(form.sheetSize, form.workingSize)
                                    * toQTransform(best.warp) * turn
                                    * toWorking(sheet.size, sheetWorking).inverted();
        alignment.upsideDown = chosen->upsideDown;
        alignment.outcome = SheetAlignment::Outcome::Aligned;
    } catch (const cv::Exception&) {
        alignment.outcome = SheetAlignment::Outcome::NotConfident;
    }
    return alignment;
}

std::optional<SheetPixels> SheetPixels::fromBmp(QByteArrayView bmp, double dotsPerInch)
{
    const std::optional<BmpLayout> layout = uncompressedBmpLayout(bmp);
    if (!layout)
        return std::nullopt;
    return SheetPixels{reinterpret_cast<const uchar*>(bmp.data()) + layout->pixelOffset,
                       layout->stride,
                       {layout->width, layout->height},
                       layout->bitsPerPixel / 8,
                       layout->bottomUp,
                       dotsPerInch};
}

std::optional<SheetPixels> SheetPixels::fromImage(const QImage& image, double dotsPerInch)
{
    int bytesPerPixel = 0;
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        bytesPerPixel = 4;
        break;
    case QImage::Format_BGR888:
        bytesPerPixel = 3;
        break;
    default:
        return std::nullopt;
    }
    return SheetPixels{image.constBits(), image.bytesPerLine(), image.size(), bytesPerPixel,
                       false,             dotsPerInch};
}

double largestMove(const QTransform& referenceToScan, QSize page)
{
    double largest = 0;
    const double right = page.width() - 1;
    const double bottom = page.height() - 1;
    for (const QPointF corner : {QPointF(0, 0), QPointF(right, 0), QPointF(0, bottom),
                                 QPointF(right, bottom)}) {
        const QPointF moved = referenceToScan.map(corner) - corner;
        largest = std::max(largest, std::hypot(moved.x(), moved.y()));
    }
    return largest;
}

QByteArray alignedBmp(const SheetPixels& sheet, const QTransform& referenceToScan, QSize pageSize)
{
    useOneThreadPerSheet();
    const qsizetype stride = bmpStride(pageSize.width(), 24);
    QByteArray bmp = bmpHeaders(pageSize.width(), pageSize.height());
    bmp.resize(kBmpHeadersSize + stride * pageSize.height());
    cv::Mat page(pageSize.height(), pageSize.width(), CV_8UC3, bmp.data() + kBmpHeadersSize,
                 static_cast<size_t>(stride));

    // Both pictures as they lie in memory: the page bottom-up, the scan as its rows come.
    const QTransform pageRows(1, 0, 0, -1, 0, pageSize.height() - 1);
    const QTransform scanRows = sheet.bottomUp
                                    ? QTransform(1, 0, 0, -1, 0, sheet.size.height() - 1)
                                    : QTransform();
    const cv::Mat warp = toWarp(pageRows * referenceToScan * scanRows);

    cv::Mat scan = wrapped(sheet);
    if (sheet.bytesPerPixel == 4) {
        cv::Mat colours;
        cv::cvtColor(scan, colours, cv::COLOR_BGRA2BGR);
        scan = colours;
    }
    cv::warpAffine(scan, page, warp, page.size(), cv::INTER_LINEAR | cv::WARP_INVERSE_MAP,
                   cv::BORDER_CONSTANT, cv::Scalar(255, 255, 255));
    return bmp;
}

} // namespace imaging
