// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QtEndian>

#include <algorithm>
#include <stdexcept>
#include <tiffio.h>

namespace test_support {

namespace {

constexpr int kPdfDotsPerInch = 200;

QImage paper(QSize size, int seed, int level)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(quint32(seed) * 7919u + 1u);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int grain = level + random.bounded(7) - 3;
            row[x] = qRgb(grain, grain, grain - 4);
        }
    }
    return image;
}

} // namespace

QImage writtenSheet(QSize size, int seed)
{
    QImage image = paper(size, seed, 246);
    QPainter painter(&image);
    QRandomGenerator random(quint32(seed) * 104729u + 5u);
    const int margin = size.width() / 10;
    painter.setPen(QPen(QColor(30, 30, 30), 2));
    painter.drawRect(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
    painter.setPen(QPen(QColor(20, 20, 40), 3, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 12; ++line) {
        QPointF at(margin * 1.5, margin * 1.5 + line * (size.height() - 3 * margin) / 12.0);
        for (int stroke = 0; stroke < 20; ++stroke) {
            const QPointF next = at + QPointF(6 + random.bounded(10), random.bounded(21) - 10);
            painter.drawLine(at, next);
            at = next;
        }
    }
    return image;
}

QImage formSheet(QSize size, int seed, SheetForm form)
{
    QImage image = paper(size, seed, 248);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(25, 25, 25), 3));
    const int margin = size.width() / 12;
    QList<QRect> boxes;
    if (form == SheetForm::Answers) {
        painter.drawLine(margin, size.height() / 10, size.width() - margin, size.height() / 10);
        const int rows = 7;
        const int pitch = (size.height() * 8 / 10) / rows;
        for (int row = 0; row < rows; ++row) {
            const int top = size.height() / 7 + row * pitch;
            boxes.append(QRect(margin, top, size.width() / 3, pitch * 2 / 3));
            boxes.append(
                QRect(size.width() / 2, top + pitch / 4, size.width() / 2 - margin, pitch / 2));
        }
    } else {
        for (int row = 0; row < 12; ++row)
            for (int column = 0; column < 4; ++column)
                boxes.append(QRect(margin + column * (size.width() - 2 * margin) / 4,
                                   size.height() / 5 + row * size.height() / 16,
                                   (size.width() - 2 * margin) / 5, size.height() / 24));
    }
    for (const QRect& box : boxes)
        painter.drawRect(box);
    QRandomGenerator random(quint32(seed) * 3571u + 17u);
    painter.setPen(QPen(QColor(20, 20, 60), 4, Qt::SolidLine, Qt::RoundCap));
    for (const QRect& box : boxes) {
        QPointF at(box.left() + 20 + random.bounded(30), box.center().y());
        for (int stroke = 0; stroke < 12; ++stroke) {
            const QPointF next = at + QPointF(4 + random.bounded(9), random.bounded(25) - 12);
            painter.drawLine(at, next);
            at = next;
        }
    }
    return image;
}

QTransform pixelMap(const QTransform& placement)
{
    const QTransform half = QTransform::fromTranslate(0.5, 0.5);
    return half * placement * half.inverted();
}

QImage placed(const QImage& page, const QTransform& placement)
{
    QImage scan(page.size(), QImage::Format_RGB32);
    scan.fill(Qt::white);
    QPainter painter(&scan);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(placement);
    painter.drawImage(0, 0, page);
    return scan;
}

QImage blankBack(QSize size, int seed)
{
    QImage image = paper(size, seed, 240);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(quint32(seed) * 15485863u + 9u);
    // The writing of the front, showing through faintly.
    painter.setPen(QPen(QColor(215, 215, 215), 3));
    for (int line = 0; line < 10; ++line)
        painter.drawLine(size.width() / 5, size.height() / 5 + line * size.height() / 20,
                         size.width() * 3 / 5, size.height() / 5 + line * size.height() / 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    for (int speck = 0; speck < 10; ++speck)
        painter.drawEllipse(QPointF(random.bounded(size.width()), random.bounded(size.height())),
                            0.8, 0.8);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPointF(size.width() / 30.0, size.height() / 3.0), 12, 12);
    painter.drawRect(0, 0, 6, size.height());
    return image;
}

QByteArray jpegBytes(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode a JPEG");
    return bytes;
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation)
{
    // A big-endian TIFF structure with one directory of one entry: the orientation, a SHORT.
    QByteArray tiff("MM\0*\0\0\0\x08", 8);
    uchar entry[2 + 12 + 4] = {0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1};
    qToBigEndian<quint16>(quint16(orientation), entry + 10);
    tiff.append(reinterpret_cast<const char*>(entry), sizeof entry);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    uchar header[4] = {0xFF, 0xE1};
    qToBigEndian<quint16>(quint16(exif.size() + 2), header + 2);
    return jpeg.first(2) + QByteArray(reinterpret_cast<const char*>(header), 4) + exif
           + jpeg.sliced(2);
}

void writeTiff(const QString& path, const QList<QImage>& pages)
{
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tiff)
        throw std::runtime_error("cannot create a TIFF");
    bool written = true;
    for (int index = 0; index < pages.size() && written; ++index) {
        const QImage& page = pages[index];
        const bool bilevel = page.format() == QImage::Format_Mono;
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(page.width()));
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(page.height()));
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, uint32_t(FILETYPE_PAGE));
        TIFFSetField(tiff, TIFFTAG_PAGENUMBER, uint16_t(index), uint16_t(pages.size()));
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG));
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(page.height()));
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(bilevel ? 1 : 8));
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(bilevel ? 1 : 3));
        TIFFSetField(tiff, TIFFTAG_COMPRESSION,
                     uint16_t(bilevel ? COMPRESSION_CCITTFAX4 : COMPRESSION_NONE));
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC,
                     uint16_t(bilevel ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_RGB));
        const QImage rgb = page.convertToFormat(QImage::Format_RGB888);
        QByteArray row(bilevel ? (page.width() + 7) / 8 : page.width() * 3, '\0');
        for (int y = 0; y < page.height() && written; ++y) {
            if (bilevel) {
                row.fill('\0');
                for (int x = 0; x < page.width(); ++x)
                    if (qGray(page.pixel(x, y)) < 128)
                        row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            } else {
                std::copy_n(rgb.constScanLine(y), row.size(), row.data());
            }
            written = TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0) == 1;
        }
        written = written && TIFFWriteDirectory(tiff) == 1;
    }
    TIFFClose(tiff);
    if (!written)
        throw std::runtime_error("cannot write a TIFF page");
}

void writePdf(const QString& path, const QList<PdfTestPage>& pages)
{
    QPdfWriter writer(path);
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(pages.value(0).paper);
    QPainter painter(&writer);
    for (int index = 0; index < pages.size(); ++index) {
        if (index > 0) {
            writer.setPageSize(pages[index].paper);
            writer.newPage();
        }
        pages[index].draw(painter, QSize(writer.width(), writer.height()));
    }
    if (!painter.end())
        throw std::runtime_error("cannot write a PDF");
}

PdfTestPage picturePage(const QImage& picture)
{
    return {QPageSize(QSizeF(picture.width() * 25.4 / kPdfDotsPerInch,
                             picture.height() * 25.4 / kPdfDotsPerInch),
                      QPageSize::Millimeter),
            [picture](QPainter& painter, QSize pixels) {
                painter.drawImage(QRect(QPoint(0, 0), pixels), picture);
            }};
}

QByteArray jpegInPdf(const QByteArray& pdf, int n)
{
    qsizetype at = 0;
    for (int found = 0; found <= n; ++found) {
        at = pdf.indexOf("/DCTDecode", at);
        if (at < 0)
            return {};
        at += 10;
    }
    const qsizetype start = pdf.indexOf("\xFF\xD8\xFF", pdf.indexOf("stream", at));
    const qsizetype end = pdf.lastIndexOf("\xFF\xD9", pdf.indexOf("endstream", start));
    return start < 0 || end < start ? QByteArray() : pdf.sliced(start, end + 2 - start);
}

} // namespace test_support
