// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_pdf.h"

#include <QDir>
#include <QFile>
#include <QList>

using namespace Qt::Literals::StringLiterals;

namespace sample_exam {

namespace {

constexpr double kPointsPerInch = 72;
// Objects 1 and 2 are the catalogue and the page tree; each page then has three.
constexpr int kObjectsPerPage = 3;
constexpr int kFirstPageObject = 3;

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', 3);
}

class PdfOutput {
public:
    explicit PdfOutput(const QString& path)
        : m_file(path)
    {
        m_ok = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }

    void write(const QByteArray& bytes)
    {
        m_ok = m_ok && m_file.write(bytes) == bytes.size();
        m_offset += bytes.size();
    }

    void beginObject(int object)
    {
        if (m_offsets.size() <= object)
            m_offsets.resize(object + 1);
        m_offsets[object] = m_offset;
        write(QByteArray::number(object) + " 0 obj\n");
    }

    void object(int object, const QByteArray& dictionary)
    {
        beginObject(object);
        write(dictionary + "\nendobj\n");
    }

    void stream(int object, const QByteArray& dictionary, const QByteArray& data)
    {
        beginObject(object);
        write(dictionary.chopped(2) + " /Length " + QByteArray::number(data.size())
              + " >>\nstream\n");
        write(data);
        write("\nendstream\nendobj\n");
    }

    void finish()
    {
        const qint64 xref = m_offset;
        write("xref\n0 " + QByteArray::number(m_offsets.size()) + "\n0000000000 65535 f \n");
        for (qsizetype object = 1; object < m_offsets.size(); ++object)
            write(QByteArray::number(m_offsets[object]).rightJustified(10, '0') + " 00000 n \n");
        write("trailer\n<< /Size " + QByteArray::number(m_offsets.size())
              + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
        m_ok = m_ok && m_file.flush();
        m_file.close();
    }

    [[nodiscard]] bool ok() const { return m_ok && m_file.error() == QFileDevice::NoError; }
    [[nodiscard]] QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
    bool m_ok = false;
    qint64 m_offset = 0;
    QList<qint64> m_offsets;
};

QByteArray pictureDictionary(const ScanPdfPage& page)
{
    const QByteArray size = " /Width " + QByteArray::number(page.pixels.width()) + " /Height "
                            + QByteArray::number(page.pixels.height());
    if (page.encoding == ScanPdfPage::Encoding::Bilevel)
        return "<< /Type /XObject /Subtype /Image" + size
               + " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /FlateDecode >>";
    return "<< /Type /XObject /Subtype /Image" + size + " /ColorSpace "
           + (page.components == 1 ? "/DeviceGray" : "/DeviceRGB")
           + " /BitsPerComponent 8 /Filter /DCTDecode >>";
}

} // namespace

ScanPdfPage jpegPage(const QByteArray& jpeg, QSize pixels, int components, int dotsPerInch)
{
    return {ScanPdfPage::Encoding::Jpeg, jpeg, pixels, components, dotsPerInch};
}

ScanPdfPage bilevelPage(const QImage& picture, int dotsPerInch)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const int rowBytes = (grey.width() + 7) / 8;
    QByteArray rows(qsizetype(rowBytes) * grey.height(), '\0');
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        char* out = rows.data() + qsizetype(rowBytes) * y;
        for (int x = 0; x < grey.width(); ++x)
            if (in[x] >= 128)
                out[x / 8] = char(out[x / 8] | (0x80 >> (x % 8)));
    }
    // qCompress puts the length before a zlib stream, which is what Flate decodes.
    return {ScanPdfPage::Encoding::Bilevel, qCompress(rows).sliced(4), picture.size(), 1,
            dotsPerInch};
}

workspace::Status writeScanPdf(const QString& path, int pageCount,
                               const std::function<ScanPdfPage(int index)>& page)
{
    PdfOutput pdf(path);
    pdf.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    QByteArray kids;
    for (int index = 0; index < pageCount && pdf.ok(); ++index) {
        const ScanPdfPage scan = page(index);
        const int picture = kFirstPageObject + kObjectsPerPage * index;
        const QByteArray width = number(scan.pixels.width() * kPointsPerInch / scan.dotsPerInch);
        const QByteArray height = number(scan.pixels.height() * kPointsPerInch / scan.dotsPerInch);
        pdf.stream(picture, pictureDictionary(scan), scan.data);
        pdf.stream(picture + 1, "<< >>", "q " + width + " 0 0 " + height + " 0 0 cm /Scan Do Q");
        pdf.object(picture + 2, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + width + " "
                                    + height + "] /Resources << /XObject << /Scan "
                                    + QByteArray::number(picture) + " 0 R >> >> /Contents "
                                    + QByteArray::number(picture + 1) + " 0 R >>");
        kids += QByteArray::number(picture + 2) + " 0 R ";
    }
    pdf.object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pageCount)
                      + " >>");
    pdf.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.finish();
    if (!pdf.ok())
        return workspace::Failure{u"PDF ファイル %1 を書き込めませんでした（%2）。"_s.arg(
            QDir::toNativeSeparators(path), pdf.errorString())};
    return {};
}

} // namespace sample_exam
