// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace_paths.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

QString numberText(int number)
{
    return u"%1"_s.arg(number, 3, 10, QLatin1Char('0'));
}

namespace paths {

namespace {

QString join(const QString& folder, const QString& name)
{
    return folder + QDir::separator() + name;
}

QString bmpName(int number)
{
    return numberText(number) + u".bmp"_s;
}

} // namespace

QString sheetFolder()
{
    return u"touan"_s;
}

QString sheetImage(int sheet)
{
    return join(sheetFolder(), bmpName(sheet));
}

QString cutoutRoot()
{
    return u"furiwake"_s;
}

QString cutoutFolder(int region)
{
    return join(cutoutRoot(), numberText(region));
}

QString cutoutImage(int region, int sheet)
{
    return join(cutoutFolder(region), bmpName(sheet));
}

QString markedFolder()
{
    return u"hyouka"_s;
}

QString markedSheet(int sheet)
{
    return join(markedFolder(), bmpName(sheet));
}

QString pdfFolder()
{
    return u"pdf"_s;
}

QString dataFolder()
{
    return u"ini"_s;
}

QString regionFile()
{
    return join(dataFolder(), u"zahyo.txt"_s);
}

QString scoreFile()
{
    return join(dataFolder(), u"haiten.txt"_s);
}

QString commentFile()
{
    return join(dataFolder(), u"comment.txt"_s);
}

QString rosterFile()
{
    return join(dataFolder(), u"meibo.txt"_s);
}

QString viewpointFile()
{
    return join(dataFolder(), u"kanten.txt"_s);
}

QString gradeThresholdFile()
{
    return join(dataFolder(), u"kanten_kijun.txt"_s);
}

QString journalFile()
{
    return join(dataFolder(), u"kiroku.txt"_s);
}

QString gradeTable()
{
    return u"seiseki.csv"_s;
}

QString statisticsTable()
{
    return u"toukei.csv"_s;
}

QString viewpointTable()
{
    return u"kanten.csv"_s;
}

QString undoOld()
{
    return u"undo_old.bmp"_s;
}

QString undoNew()
{
    return u"undo_new.bmp"_s;
}

QString workFolderLock()
{
    return u"marutsuke.lock"_s;
}

QString preferencesFile()
{
    return u"settei.txt"_s;
}

} // namespace paths

Workspace::Workspace(QString root)
    : m_root(QDir::cleanPath(std::move(root)))
{
    Q_ASSERT(QDir::isAbsolutePath(m_root));
}

QString Workspace::path(const QString& relative) const
{
    return QDir::cleanPath(m_root + u'/' + QDir::fromNativeSeparators(relative));
}

int Workspace::sheetCount() const
{
    int count = 0;
    while (QFileInfo::exists(path(paths::sheetImage(count + 1))))
        ++count;
    return count;
}

QString displayPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace workspace
