// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "imaging/picture_loading.h"

#include <QImageReader>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::TemporaryWorkspace;

namespace {

QImage gradient(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    return image;
}

} // namespace

TEST(PictureLoading, LoadsBmpAndJpegWhateverTheirNames)
{
    TemporaryWorkspace folder;
    folder.writeImage(u"a.bmp"_s, gradient({40, 30}));
    folder.writeImage(u"b.jpg"_s, gradient({40, 30}));
    ASSERT_TRUE(QFile::rename(folder.path(u"b.jpg"_s), folder.path(u"b.bmp.old"_s)));
    for (const QString& name : {u"a.bmp"_s, u"b.bmp.old"_s}) {
        workspace::Expected<QImage> image = imaging::loadPicture(folder.path(name));
        ASSERT_TRUE(image) << image.error().toStdString();
        EXPECT_EQ(image->size(), QSize(40, 30));
    }
}

TEST(PictureLoading, RefusesFilesCutShortNamingThem)
{
    TemporaryWorkspace folder;
    folder.writeImage(u"whole.bmp"_s, gradient({64, 64}));
    folder.writeImage(u"whole.jpg"_s, gradient({64, 64}));
    for (const QString& name : {u"whole.bmp"_s, u"whole.jpg"_s}) {
        const QByteArray bytes = folder.readBytes(name);
        const QString cut = u"cut-"_s + name;
        folder.writeBytes(cut, bytes.first(bytes.size() / 2));
        workspace::Expected<QImage> image = imaging::loadPicture(folder.path(cut));
        ASSERT_FALSE(image) << cut.toStdString();
        EXPECT_TRUE(image.error().contains(cut)) << image.error().toStdString();
    }
}

TEST(PictureLoading, RefusesTextAndAbsurdPixelCountsBeforeDecoding)
{
    TemporaryWorkspace folder;
    folder.writeBytes(u"notes.jpg"_s, "these are not pixels");
    EXPECT_FALSE(imaging::loadPicture(folder.path(u"notes.jpg"_s)));

    // A JPEG whose frame header claims 20000 × 20000 pixels: 400 million, refused unread.
    folder.writeImage(u"small.jpg"_s, gradient({16, 16}));
    QByteArray jpeg = folder.readBytes(u"small.jpg"_s);
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    jpeg.replace(frame + 5, 4, QByteArray("\x4E\x20\x4E\x20", 4));
    folder.writeBytes(u"bomb.jpg"_s, jpeg);
    workspace::Expected<QImage> image = imaging::loadPicture(folder.path(u"bomb.jpg"_s));
    ASSERT_FALSE(image);
    EXPECT_TRUE(image.error().contains(u"大きすぎます"_s)) << image.error().toStdString();
}

TEST(PictureLoading, AnA4ScanAtSixHundredDotsFitsTheAllocationLimit)
{
    // 4960 × 7016 colour pixels need about 140 MB, over Qt's default limit of 128 MB.
    EXPECT_GE(QImageReader::allocationLimit(), 256);
}
