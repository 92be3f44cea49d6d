// SPDX-License-Identifier: GPL-3.0-or-later
#include "steps/scan_listing.h"
#include "temporary_workspace.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace steps;

TEST(ScanListing, TakesNamesThatContainJpgOrBmpOrEndInACopiersOrPhonesSuffix)
{
    const std::pair<QString, bool> cases[] = {
        {u"a.JPG"_s, true},       {u"b.bmp"_s, true},      {u"x.bmp.old"_s, true},
        {u"scan.jpeg"_s, true},   {u"c.txt"_s, false},     {u"bmp"_s, false},
        {u"答案.Bmp"_s, true},    {u"a.jpg.txt"_s, true},  {u"a_jpg"_s, false},
        {u"copier.PDF"_s, true},  {u"p.tif"_s, true},      {u"p.Tiff"_s, true},
        {u"photo.png"_s, true},   {u"a.pdf.txt"_s, false}, {u"a.png.bak"_s, false},
        {u"a.jpeg.old"_s, false}, {u"tiff"_s, false},
    };
    for (const auto& [name, taken] : cases)
        EXPECT_EQ(isScanFileName(name), taken) << name.toStdString();
}

TEST(ScanListing, OrdersNumbersByValueThenCaseAndLeadingZeros)
{
    const QStringList ordered{
        u"scan1.jpg"_s,    u"scan2.jpg"_s,  u"Scan2b.jpg"_s,  u"scan10.jpg"_s, u"scan10x.jpg"_s,
        u"scan010x.jpg"_s, u"scan99.jpg"_s, u"scan100.jpg"_s, u"scanA.jpg"_s,  u"scanb.jpg"_s};
    for (qsizetype i = 0; i < ordered.size(); ++i) {
        for (qsizetype j = 0; j < ordered.size(); ++j) {
            EXPECT_EQ(naturalLess(ordered[i], ordered[j]), i < j)
                << ordered[i].toStdString() << " / " << ordered[j].toStdString();
        }
    }
    // Names equal but for case or leading zeros still have one order.
    EXPECT_NE(naturalLess(u"A1.jpg"_s, u"a1.jpg"_s), naturalLess(u"a1.jpg"_s, u"A1.jpg"_s));
    EXPECT_NE(naturalLess(u"a01.jpg"_s, u"a1.jpg"_s), naturalLess(u"a1.jpg"_s, u"a01.jpg"_s));
}

TEST(ScanListing, ListsOrdinaryMatchingFilesInNaturalOrder)
{
    test_support::TemporaryWorkspace folder;
    for (const QString& name : {u"scan10.jpg"_s, u"scan2.jpg"_s, u"c.txt"_s, u"scan.jpeg"_s,
                                u"x.bmp.old"_s, u".hidden.jpg"_s})
        folder.writeBytes(u"scans/"_s + name, "x");
    QDir().mkpath(folder.path(u"scans/folder.jpg"_s));

    QStringList names;
    for (const QString& path : listScans(folder.path(u"scans"_s)))
        names.append(QFileInfo(path).fileName());
    EXPECT_EQ(names,
              (QStringList{u"scan.jpeg"_s, u"scan2.jpg"_s, u"scan10.jpg"_s, u"x.bmp.old"_s}));
    EXPECT_TRUE(listScans(folder.path(u"missing"_s)).isEmpty());
}
