// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_loading.h"

#include "bmp_codec.h"
#include "pdf_rendering.h"

#include "workspace/file_messages.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;

namespace imaging {

namespace {

constexpr int kAllocationLimitMegabytes = 512;

// A JPEG ends with the end-of-image marker FF D9; some writers pad with zero bytes after it.
bool jpegIsComplete(QIODevice& device)
{
    const qint64 tailSize = std::min<qint64>(device.size(), 4096);
    if (!device.seek(device.size() - tailSize))
        return false;
    QByteArray tail = device.read(tailSize);
    while (tail.endsWith('\0'))
        tail.chop(1);
    return tail.endsWith("\xFF\xD9");
}

// An uncompressed BMP must be long enough for its pixel offset plus stride × height.
bool bmpIsComplete(QIODevice& device)
{
    if (!device.seek(0))
        return false;
    const QByteArray header = device.read(54);
    if (header.size() < 26)
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = qFromLittleEndian<quint16>(bytes + 18);
        height = qFromLittleEndian<quint16>(bytes + 20);
        bitsPerPixel = qFromLittleEndian<quint16>(bytes + 24);
    } else {
        if (header.size() < 34)
            return false;
        width = qFromLittleEndian<qint32>(bytes + 18);
        height = std::abs(qFromLittleEndian<qint32>(bytes + 22));
        bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
        compression = qFromLittleEndian<quint32>(bytes + 30);
    }
    constexpr quint32 kUncompressed = 0;
    constexpr quint32 kBitFields = 3;
    if (compression != kUncompressed && compression != kBitFields)
        return true;
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    return device.size() >= pixelOffset + stride * height;
}

} // namespace

void configureImageReading()
{
    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    silencePdfDiagnostics();
}

Expected<QImage> readPicture(QIODevice& device, const QString& name, const PictureChoice& choice)
{
    // The workspace's own BMP files, read without going through Qt's image handlers.
    if (device.peek(2) == "BM") {
        if (std::optional<QImage> image = decodeBmp(device.readAll()))
            return *image;
        if (!device.seek(0))
            return Failure{workspace::messages::cannotRead(name, device.errorString())};
    }
    QImageReader reader(&device);
    reader.setAutoTransform(choice.orientation == PictureChoice::Orientation::Upright);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return Failure{workspace::messages::cannotRead(name, u"画像ファイルではありません。"_s)};
    if (choice.index > 0 && !reader.jumpToImage(choice.index))
        return Failure{workspace::messages::cannotRead(name, u"このページが見つかりません。"_s)};
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        return Failure{workspace::messages::cannotRead(
            name, u"画像が大きすぎます（%1 × %2 画素）。"_s.arg(size.width()).arg(size.height()))};
    QImage image = reader.read();
    if (image.isNull())
        return Failure{workspace::messages::cannotRead(name, reader.errorString())};
    const bool complete = format == "jpeg"  ? jpegIsComplete(device)
                          : format == "bmp" ? bmpIsComplete(device)
                                            : true;
    if (!complete)
        return Failure{workspace::messages::cannotRead(name, u"ファイルが途中で切れています。"_s)};
    return image;
}

int pictureCount(QIODevice& device)
{
    QImageReader reader(&device);
    if (!reader.canRead())
        return 0;
    return std::max(1, reader.imageCount());
}

Expected<QImage> decodePicture(const QByteArray& bytes, const QString& name)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readPicture(buffer, name);
}

Expected<QImage> loadPicture(const QString& path)
{
    // Read, not mapped: a mapped file that vanishes (a removed stick) ends the program.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{workspace::messages::cannotRead(path, file.errorString())};
    return readPicture(file, path);
}

} // namespace imaging
