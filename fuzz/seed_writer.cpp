// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "workspace/cp932.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <cstdio>
#include <string>

using namespace Qt::Literals::StringLiterals;

// Writes a small starting corpus for every fuzz target into the folder given as the argument,
// one folder per target: files as the program writes them and as scanners and editors do.
namespace {

QByteArray codePage(const QString& text)
{
    return workspace::cp932::encode(text).value();
}

QByteArray utf16(const char16_t* text)
{
    return QByteArray(reinterpret_cast<const char*>(text),
                      qsizetype(std::char_traits<char16_t>::length(text) * sizeof(char16_t)));
}

QImage gradient(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x + y) * 11 % 256));
    return image;
}

QByteArray written(const QImage& image, const char* format, int quality = -1,
                   bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// The workspace's 24-bit layout turned into a 32-bit or a top-down one.
QByteArray thirtyTwoBitBmp(const QImage& image)
{
    QByteArray bytes = imaging::bmpHeaders(image.width(), image.height());
    auto* header = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<quint16>(32, header + 28);
    qToLittleEndian<quint32>(quint32(imaging::kBmpHeadersSize + image.width() * image.height() * 4),
                             header + 2);
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x) {
            uchar pixel[4];
            qToLittleEndian<quint32>(image.pixel(x, y), pixel);
            bytes.append(reinterpret_cast<const char*>(pixel), 4);
        }
    return bytes;
}

QByteArray topDownBmp(const QImage& image)
{
    QByteArray bottomUp = imaging::encodeBmp(image);
    const qsizetype stride = imaging::bmpStride(image.width(), 24);
    QByteArray bytes = bottomUp.first(imaging::kBmpHeadersSize);
    qToLittleEndian<qint32>(-image.height(), reinterpret_cast<uchar*>(bytes.data()) + 22);
    for (int row = image.height() - 1; row >= 0; --row)
        bytes += bottomUp.mid(imaging::kBmpHeadersSize + stride * row, stride);
    return bytes;
}

// A PDF of the given objects (numbered from 1, the first the catalogue) with a correct
// cross-reference table.
QByteArray pdf(const QList<QByteArray>& objects)
{
    QByteArray bytes = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype index = 0; index < objects.size(); ++index) {
        offsets.append(bytes.size());
        bytes += QByteArray::number(index + 1) + " 0 obj\n" + objects[index] + "\nendobj\n";
    }
    const qsizetype xref = bytes.size();
    bytes += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        bytes += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    return bytes + "trailer\n<< /Size " + QByteArray::number(objects.size() + 1)
           + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
}

QByteArray stream(const QByteArray& dictionary, const QByteArray& data)
{
    return "<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n"
           + data + "\nendstream";
}

// One page of 72 by 96 points drawing `content`, with the picture as /Scan when there is one.
QByteArray onePagePdf(const QByteArray& content, const QByteArray& picture = {})
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>",
                              "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                              "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 72 96] /Contents 4 0 R"
                              " /Resources << /XObject << /Scan 5 0 R >> >> >>",
                              stream({}, content)};
    if (!picture.isEmpty())
        objects.append(stream("/Type /XObject /Subtype /Image /Width 16 /Height 16 /ColorSpace "
                              "/DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode",
                              picture));
    return pdf(objects);
}

void write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    auto seed = [&root](const char* target, const QString& name, const QByteArray& bytes) {
        write(root.filePath(QString::fromLatin1(target)), name, bytes);
    };

    seed("region_file", u"two"_s, "120,352,480,300\r\n10,60,200,20\r\n");
    seed("region_file", u"edges"_s, "-5,32767,-32768,0\r\n0,0,0,0\r\n");
    seed("score_file", u"scores"_s, "0,,5\r\n1,2,3\r\n2.5,x,-1\r\n");
    seed("score_file", u"roster_zero"_s, "0,3\r\n0,\r\n");
    seed("comment_file", u"comments"_s, codePage(u"よい、もう少し,,\r\n,,\r\n,字が丁寧,\r\n"_s));
    seed("roster_file", u"names"_s, codePage(u"山田　太郎\r\n\r\n髙橋,\"﨑\"\r\n"_s));
    seed("viewpoint_file", u"viewpoints"_s,
         codePage(u",\r\n知識・技能,5\r\n思考・判断・表現,\r\n\"態度\",2.5\r\n"_s));
    seed("viewpoint_file", u"thresholds"_s, "80\r\n50\r\n");
    seed("code_page", u"symbols"_s, codePage(u"①Ⅰ㈱ⅰ髙﨑～∥－―￠￡￢表ソ"_s));
    seed("code_page", u"utf16"_s, utf16(u"〜‖−—¢£¬𠀋"));
    seed("roster_input", u"code_page"_s, codePage(u"山田\r\n佐藤\r\n"_s));
    seed("roster_input", u"utf8_mark"_s, "\xEF\xBB\xBF" + u"田中\n鈴木\n"_s.toUtf8());
    seed("roster_input", u"utf16_mark"_s, QByteArray("\xFF\xFE", 2) + utf16(u"伊藤\r\n"));

    const QImage small = gradient({5, 3});
    seed("bmp_picture", u"workspace_24"_s, imaging::encodeBmp(small));
    seed("bmp_picture", u"qt_24"_s, written(small, "bmp"));
    seed("bmp_picture", u"bits_32"_s, thirtyTwoBitBmp(small));
    seed("bmp_picture", u"top_down"_s, topDownBmp(small));
    seed("bmp_picture", u"grey_8"_s,
         written(small.convertToFormat(QImage::Format_Grayscale8), "bmp"));
    seed("bmp_picture", u"mono_1"_s, written(small.convertToFormat(QImage::Format_Mono), "bmp"));

    const QImage block = gradient({16, 16});
    seed("jpeg_picture", u"colour"_s, written(block, "jpeg", 50));
    seed("jpeg_picture", u"grey"_s,
         written(gradient({8, 8}).convertToFormat(QImage::Format_Grayscale8), "jpeg", 50));
    seed("jpeg_picture", u"progressive"_s, written(block, "jpeg", 30, true));

    seed("pdf_scan", u"jpeg_page"_s,
         onePagePdf("q 72 0 0 96 0 0 cm /Scan Do Q", written(block, "jpeg", 50)));
    seed("pdf_scan", u"vector_page"_s, onePagePdf("0 0 m 72 96 l S BT /F1 12 Tf (a) Tj ET"));
    seed("tiff_scan", u"colour"_s, written(small, "tiff"));
    seed("tiff_scan", u"mono"_s, written(block.convertToFormat(QImage::Format_Mono), "tiff"));
    return 0;
}
