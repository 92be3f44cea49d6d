// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_registration.h"

#include "imaging/bmp_codec.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/sheet_redrawing.h"
#include "paper_size.h"
#include "workspace/atomic_file.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72;
// A sheet whose every point stays within half a pixel keeps the scan's own pixels: resampling
// it would only blur it.
constexpr double kLargestUnmovedPixels = 0.5;
// Moves the teacher is told of.
constexpr double kNoticedMillimetres = 1.0;
// Sheets listed in one paragraph at most; the rest are counted.
constexpr qsizetype kListed = 10;

// The scan's resolution, from the paper it was made on: the workspace's sheets all say 96 dots
// per inch, which says nothing of the scan.
double dotsPerInch(QByteArrayView bmp, QSize size)
{
    const std::optional<imaging::BmpHeaderInfo> header = imaging::bmpHeaderInfo(bmp);
    const QSizeF paper = paperSizePoints(size, header ? header->pixelsPerMetre : 0);
    return paper.width() > 0 ? size.width() * kPointsPerInch / paper.width() : 200;
}

QString millimetres(double value)
{
    return QString::number(std::abs(value), 'f', 1) + u"mm"_s;
}

// Whether the value shows as something other than 0.0.
bool shows(double value)
{
    return std::abs(value) >= 0.05;
}

} // namespace

QString describeMove(const QTransform& referenceToScan, bool upsideDown, QSize page,
                     double dotsPerInch)
{
    const QPointF centre((page.width() - 1) / 2.0, (page.height() - 1) / 2.0);
    // The form's centre came from where the scan showed it.
    const QPointF shift =
        (centre - referenceToScan.map(centre)) * (kMillimetresPerInch / dotsPerInch);
    double degrees =
        std::atan2(referenceToScan.m12(), referenceToScan.m11()) * 180 / std::numbers::pi;
    if (upsideDown)
        degrees = std::remainder(degrees - 180, 360);
    QStringList parts;
    if (upsideDown)
        parts.append(u"上下を反転"_s);
    if (shows(shift.x()))
        parts.append((shift.x() > 0 ? u"右に"_s : u"左に"_s) + millimetres(shift.x()));
    if (shows(shift.y()))
        parts.append((shift.y() > 0 ? u"下に"_s : u"上に"_s) + millimetres(shift.y()));
    if (shows(degrees))
        parts.append(QString::number(std::abs(degrees), 'f', 1) + u"°回転"_s);
    return parts.join(u"、"_s);
}

QString registrationMessage(const RegistrationOutcome& outcome)
{
    const auto list = [](const QString& heading, const QStringList& items) {
        QStringList lines{heading};
        lines.append(items.first(std::min(items.size(), kListed)));
        if (items.size() > kListed)
            lines.append(u"ほか%1枚"_s.arg(items.size() - kListed));
        return lines.join(u"\n"_s);
    };
    QStringList paragraphs;
    if (!outcome.refused.isEmpty())
        paragraphs.append(outcome.refused);
    if (!outcome.moved.isEmpty())
        paragraphs.append(list(u"次の%1枚の答案は、1枚目の答案に位置と傾きを合わせました。"_s.arg(
                                   outcome.moved.size()),
                               outcome.moved));
    if (!outcome.unregistered.isEmpty())
        paragraphs.append(list(u"次の%1枚の答案は1枚目の答案と同じ用紙と確かめられなかったため、"
                               u"スキャンしたまま保存しました。"_s.arg(outcome.unregistered.size()),
                               outcome.unregistered));
    if (!outcome.notStored.isEmpty())
        paragraphs.append(list(u"次の答案は位置を合わせて保存できなかったため、"
                               u"スキャンしたまま残しました。"_s,
                               outcome.notStored));
    return paragraphs.join(u"\n\n"_s);
}

SheetRegistration::SheetRegistration(workspace::Workspace workspace, int sheetCount)
    : m_workspace(std::move(workspace))
    , m_sheetCount(sheetCount)
{
}

QString SheetRegistration::sheetPath(int number) const
{
    return m_workspace.path(workspace::paths::sheetImage(number));
}

workspace::Status SheetRegistration::prepare()
{
    if (m_sheetCount < 2) {
        m_sheets.clear();
        m_toMove.clear();
        return {};
    }
    const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(sheetPath(1));
    if (!bytes)
        return workspace::Failure{bytes.error()};
    return prepareFrom(*bytes);
}

workspace::Status SheetRegistration::prepareFrom(QByteArrayView sheetOne)
{
    m_sheets.assign(std::max(0, m_sheetCount - 1), Sheet{});
    m_toMove.clear();
    const std::optional<imaging::SheetPixels> pixels = imaging::SheetPixels::fromBmp(sheetOne, 200);
    if (!pixels)
        return workspace::Failure{
            u"答案「%1」を読めません。"_s.arg(workspace::displayPath(sheetPath(1)))};
    m_referenceDotsPerInch = dotsPerInch(sheetOne, pixels->size);
    imaging::SheetPixels reference = *pixels;
    reference.dotsPerInch = m_referenceDotsPerInch;
    m_reference = imaging::AlignmentReference::fromSheet(reference);
    return {};
}

std::optional<SheetFit> SheetRegistration::fit(QByteArrayView bmp) const
{
    std::optional<imaging::SheetPixels> pixels = imaging::SheetPixels::fromBmp(bmp, 200);
    if (!pixels)
        return std::nullopt;
    pixels->dotsPerInch = dotsPerInch(bmp, pixels->size);
    SheetFit fit;
    if (!m_reference.hasForm()) {
        // Nothing to align to; whether the sheet shows a form tells whether sheet 1 is the odd
        // one out or the whole set is plain paper.
        fit.alignment.outcome = imaging::AlignmentReference::fromSheet(*pixels).hasForm()
                                    ? imaging::SheetAlignment::Outcome::NotConfident
                                    : imaging::SheetAlignment::Outcome::NoForm;
        return fit;
    }
    fit.alignment = m_reference.align(*pixels);
    fit.needsMove =
        fit.alignment.outcome == imaging::SheetAlignment::Outcome::Aligned
        && (fit.alignment.upsideDown || pixels->size != m_reference.sheetSize()
            || imaging::largestMove(fit.alignment.referenceToScan, m_reference.sheetSize())
                   > kLargestUnmovedPixels);
    return fit;
}

QByteArray SheetRegistration::redrawn(QByteArrayView bmp, const SheetFit& fit) const
{
    return imaging::alignedBmp(*imaging::SheetPixels::fromBmp(bmp, 200),
                               fit.alignment.referenceToScan, m_reference.sheetSize());
}

void SheetRegistration::setSheetCount(int sheetCount)
{
    m_sheetCount = sheetCount;
    m_sheets.assign(std::max(0, sheetCount - 1), Sheet{});
    m_toMove.clear();
}

bool SheetRegistration::moves(int number) const
{
    return std::binary_search(m_toMove.begin(), m_toMove.end(), number - 2);
}

void SheetRegistration::adopt(int number, const SheetFit& fit)
{
    m_sheets[number - 2].fit = fit;
}

int SheetRegistration::checkCount() const
{
    return static_cast<int>(m_sheets.size());
}

workspace::Status SheetRegistration::check(int index)
{
    const QString path = sheetPath(index + 2);
    const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path);
    if (!bytes)
        return workspace::Failure{bytes.error()};
    const std::optional<SheetFit> found = fit(*bytes);
    if (!found)
        return workspace::Failure{u"答案「%1」を読めません。"_s.arg(workspace::displayPath(path))};
    adopt(index + 2, *found);
    return {};
}

void SheetRegistration::decide(const QList<workspace::Status>& checks)
{
    m_toMove.clear();
    int aligned = 0;
    int notMatched = 0;
    for (qsizetype index = 0; index < checks.size(); ++index) {
        Sheet& sheet = m_sheets[index];
        if (!checks[index]) {
            sheet.unreadable = checks[index].error();
            ++notMatched;
            continue;
        }
        switch (sheet.fit.alignment.outcome) {
        case imaging::SheetAlignment::Outcome::Aligned: ++aligned; break;
        case imaging::SheetAlignment::Outcome::NotConfident: ++notMatched; break;
        case imaging::SheetAlignment::Outcome::NoForm:
            // A blank page says nothing about whether sheet 1 is the odd one out.
            break;
        }
    }
    if (!m_reference.hasForm()) {
        // Sheets of plain paper, without a form on any of them, have nothing to align to.
        m_quiet = notMatched == 0;
        if (!m_quiet)
            m_refused = u"1枚目の答案に罫線や枠が見つからないため、答案の位置と傾きを合わせずに、"
                        u"すべてスキャンしたまま保存しました。1枚目の答案が白紙や別の用紙で"
                        u"ないか確かめてください。"_s;
        return;
    }
    // Most sheets that show a form do not match sheet 1: sheet 1 is likely another form, and
    // the few that match it are better left alone with the rest.
    if (2 * aligned < aligned + notMatched) {
        m_refused = u"1枚目の答案と同じ用紙と確かめられた答案が半数に満たないため、"
                    u"答案の位置と傾きを合わせずに、すべてスキャンしたまま保存しました。"
                    u"1枚目の答案が白紙や別の用紙でないか確かめてください。"_s;
        return;
    }
    for (qsizetype index = 0; index < checks.size(); ++index)
        if (m_sheets[index].fit.needsMove)
            m_toMove.push_back(static_cast<int>(index));
}

workspace::Status SheetRegistration::move(int index)
{
    const QString path = sheetPath(m_toMove[index] + 2);
    const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path);
    if (!bytes)
        return workspace::Failure{bytes.error()};
    if (!imaging::SheetPixels::fromBmp(*bytes, 200))
        return workspace::Failure{u"答案「%1」を読めません。"_s.arg(workspace::displayPath(path))};
    return imaging::writeDerivedFile(path, redrawn(*bytes, m_sheets[m_toMove[index]].fit));
}

RegistrationOutcome SheetRegistration::finish(const QList<workspace::Status>& moves)
{
    RegistrationOutcome outcome;
    outcome.refused = m_refused;
    std::vector<char> moved(m_sheets.size(), 0);
    for (qsizetype index = 0; index < moves.size(); ++index) {
        const int sheet = m_toMove[index];
        if (moves[index])
            moved[sheet] = 1;
        else
            outcome.notStored.append(
                u"%1.bmp　%2"_s.arg(workspace::numberText(sheet + 2), moves[index].error()));
    }
    if (!m_refused.isEmpty() || m_quiet)
        return outcome;
    const double noticed = kNoticedMillimetres / kMillimetresPerInch * m_referenceDotsPerInch;
    for (qsizetype index = 0; index < static_cast<qsizetype>(m_sheets.size()); ++index) {
        const Sheet& sheet = m_sheets[index];
        const QString name = workspace::numberText(static_cast<int>(index) + 2) + u".bmp"_s;
        if (!sheet.unreadable.isEmpty()
            || sheet.fit.alignment.outcome != imaging::SheetAlignment::Outcome::Aligned) {
            outcome.unregistered.append(name);
            continue;
        }
        if (!moved[index])
            continue;
        if (sheet.fit.alignment.upsideDown
            || imaging::largestMove(sheet.fit.alignment.referenceToScan, m_reference.sheetSize())
                   > noticed)
            outcome.moved.append(name + u"　"_s
                                 + describeMove(sheet.fit.alignment.referenceToScan,
                                                sheet.fit.alignment.upsideDown,
                                                m_reference.sheetSize(), m_referenceDotsPerInch));
    }
    return outcome;
}

} // namespace steps
