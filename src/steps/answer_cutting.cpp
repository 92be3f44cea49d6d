// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_cutting.h"

#include "imaging/sheet_cutting.h"
#include "workspace/folders.h"

namespace steps {

AnswerCutting::AnswerCutting(workspace::Workspace workspace, QList<workspace::RegionRect> regions)
    : m_workspace(std::move(workspace))
    , m_regions(std::move(regions))
{
}

workspace::Status AnswerCutting::prepare()
{
    if (workspace::Status made =
            workspace::ensureFolder(m_workspace.path(workspace::paths::cutoutRoot()));
        !made)
        return made;
    m_sheetCount = m_workspace.sheetCount();
    if (m_sheetCount == 0)
        return {};
    for (int region = 1; region <= m_regions.size(); ++region)
        if (workspace::Status emptied = workspace::prepareEmptyFolder(
                m_workspace.path(workspace::paths::cutoutFolder(region)));
            !emptied)
            return emptied;
    return {};
}

workspace::Status AnswerCutting::cut(int index) const
{
    return imaging::cutSheet(m_workspace, index + 1, m_regions);
}

} // namespace steps
