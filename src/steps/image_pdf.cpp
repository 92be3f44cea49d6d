// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_pdf.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <stdexcept>
#include <string>

namespace steps {

namespace {

constexpr int kDecimals = 4;

// Hands qpdf's output to the device; a short write ends the writing by an exception, which
// qpdf lets through.
class DeviceSink : public Pipeline {
public:
    explicit DeviceSink(QIODevice& device)
        : Pipeline("device", nullptr)
        , m_device(device)
    {
    }

    void write(const unsigned char* data, size_t length) override
    {
        const auto size = static_cast<qint64>(length);
        if (m_device.write(reinterpret_cast<const char*>(data), size) != size)
            throw std::runtime_error("write refused");
    }
    void finish() override {}

private:
    QIODevice& m_device;
};

// A PDF text string in UTF-16BE with its byte-order mark, which every reader takes for any
// script.
std::string textString(const QString& text)
{
    std::string bytes = "\xFE\xFF";
    for (const QChar unit : text) {
        bytes += static_cast<char>(unit.unicode() >> 8);
        bytes += static_cast<char>(unit.unicode() & 0xFF);
    }
    return bytes;
}

QPDFObjectHandle real(double value)
{
    return QPDFObjectHandle::newReal(value, kDecimals);
}

QPDFObjectHandle imagePage(QPDF& pdf, const PdfPage& page)
{
    QPDFObjectHandle image = pdf.newStream();
    QPDFObjectHandle imageDictionary = image.getDict();
    imageDictionary.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    imageDictionary.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    imageDictionary.replaceKey("/Width", QPDFObjectHandle::newInteger(page.pixels.width()));
    imageDictionary.replaceKey("/Height", QPDFObjectHandle::newInteger(page.pixels.height()));
    imageDictionary.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
    imageDictionary.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    // The bytes are handed over when the file is written, never copied into qpdf's own buffers.
    const QByteArray jpeg = page.jpeg;
    image.replaceStreamData(
        [jpeg](Pipeline* pipeline) {
            pipeline->write(reinterpret_cast<const unsigned char*>(jpeg.constData()),
                            static_cast<size_t>(jpeg.size()));
            pipeline->finish();
        },
        QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());

    const std::string width = QByteArray::number(page.points.width(), 'f', kDecimals).toStdString();
    const std::string height =
        QByteArray::number(page.points.height(), 'f', kDecimals).toStdString();
    QPDFObjectHandle content =
        pdf.newStream("q " + width + " 0 0 " + height + " 0 0 cm /Im0 Do Q\n");

    QPDFObjectHandle xObjects = QPDFObjectHandle::newDictionary();
    xObjects.replaceKey("/Im0", image);
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    resources.replaceKey("/XObject", xObjects);
    QPDFObjectHandle pageObject = QPDFObjectHandle::newDictionary();
    pageObject.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
    pageObject.replaceKey("/MediaBox",
                          QPDFObjectHandle::newArray(
                              {QPDFObjectHandle::newInteger(0), QPDFObjectHandle::newInteger(0),
                               real(page.points.width()), real(page.points.height())}));
    pageObject.replaceKey("/Resources", resources);
    pageObject.replaceKey("/Contents", content);
    return pdf.makeIndirectObject(pageObject);
}

} // namespace

bool writeImagePdf(QIODevice& device, const QString& title, const QList<PdfPage>& pages)
{
    try {
        QPDF pdf;
        pdf.emptyPDF();
        QPDFPageDocumentHelper pageHelper(pdf);
        for (const PdfPage& page : pages)
            pageHelper.addPage(imagePage(pdf, page), false);
        QPDFObjectHandle information = QPDFObjectHandle::newDictionary();
        information.replaceKey("/Title", QPDFObjectHandle::newString(textString(title)));
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(information));

        DeviceSink sink(device);
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&sink);
        writer.write();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace steps
