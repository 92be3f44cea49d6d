// SPDX-License-Identifier: GPL-3.0-or-later
#include "exam_fixture.h"

#include "imaging/derived_bmp_saving.h"
#include "workspace/region_file.h"
#include "workspace/text_file.h"

#include <QDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace grading_test {

namespace {

void require(const workspace::Status& status)
{
    if (!status)
        throw std::runtime_error(status.error().toStdString());
}

} // namespace

workspace::RegionRect regionOfSize(int width, int height)
{
    return {10, qint16(20 + height), qint16(10 + width), 20};
}

QColor cutoutColour(int sheet)
{
    return QColor::fromHsv((sheet * 37) % 360, 200, 220);
}

Exam::Exam(int sheets, QList<workspace::RegionRect> regions)
    : m_sheets(sheets)
    , m_regions(std::move(regions))
{
}

Exam& Exam::scores(QStringList lines)
{
    m_scoreLines = std::move(lines);
    return *this;
}

Exam& Exam::comments(QStringList lines)
{
    m_commentLines = std::move(lines);
    return *this;
}

Exam& Exam::roster(QStringList names)
{
    m_roster = std::move(names);
    return *this;
}

Exam& Exam::cutouts()
{
    m_withCutouts = true;
    return *this;
}

void Exam::write(const test_support::TemporaryWorkspace& folder) const
{
    QDir().mkpath(folder.path(u"ini"_s));
    folder.writeSheets(m_sheets, QSize(4, 4));
    require(workspace::writeRegions(folder.path(paths::regionFile()), m_regions));
    if (m_scoreLines)
        require(workspace::writeTextLines(folder.path(paths::scoreFile()), *m_scoreLines));
    if (m_commentLines)
        require(workspace::writeTextLines(folder.path(paths::commentFile()), *m_commentLines));
    if (m_roster)
        require(workspace::writeTextLines(folder.path(paths::rosterFile()), *m_roster));
    if (!m_withCutouts)
        return;
    for (int region = 1; region <= m_regions.size(); ++region) {
        QDir().mkpath(folder.path(paths::cutoutFolder(region)));
        const QSize size(m_regions[region - 1].width(), m_regions[region - 1].height());
        for (int sheet = 1; sheet <= m_sheets; ++sheet)
            require(imaging::saveDerivedBmp(test_support::solidImage(size, cutoutColour(sheet)),
                                            folder.path(paths::cutoutImage(region, sheet))));
    }
}

grading::GradingTables loadTables(const test_support::TemporaryWorkspace& folder)
{
    workspace::Expected<grading::GradingTables> tables =
        grading::GradingTables::load(folder.workspace());
    if (!tables) {
        ADD_FAILURE() << tables.error().toStdString();
        return {};
    }
    return std::move(tables).value();
}

} // namespace grading_test
