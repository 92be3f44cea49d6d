// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_checks.h"

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace fuzzing {

std::span<const FuzzTarget> fuzzTargets()
{
    static constexpr std::array targets{
        FuzzTarget{"region_file"_L1, &checkRegionFile},
        FuzzTarget{"score_file"_L1, &checkScoreFile},
        FuzzTarget{"comment_file"_L1, &checkCommentFile},
        FuzzTarget{"roster_file"_L1, &checkRosterFile},
        FuzzTarget{"viewpoint_file"_L1, &checkViewpointFile},
        FuzzTarget{"code_page"_L1, &checkCodePage},
        FuzzTarget{"roster_input"_L1, &checkRosterInput},
        FuzzTarget{"bmp_picture"_L1, &checkBmpPicture},
        FuzzTarget{"jpeg_picture"_L1, &checkJpegPicture},
        FuzzTarget{"pdf_scan"_L1, &checkPdfScan},
        FuzzTarget{"tiff_scan"_L1, &checkTiffScan},
    };
    return targets;
}

const FuzzTarget* findFuzzTarget(QLatin1StringView name)
{
    const std::span<const FuzzTarget> targets = fuzzTargets();
    const auto found =
        std::find_if(targets.begin(), targets.end(),
                     [name](const FuzzTarget& target) { return target.name == name; });
    return found == targets.end() ? nullptr : &*found;
}

} // namespace fuzzing
