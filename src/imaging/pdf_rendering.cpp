// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_rendering.h"

#include "picture_loading.h"

#include "workspace/file_messages.h"

#include <poppler-qt6.h>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;

namespace imaging {

namespace {

constexpr double kPointsPerInch = 72;

void ignoreDiagnostic(const QString&, const QVariant&) {}

} // namespace

void silencePdfDiagnostics()
{
    Poppler::setDebugErrorFunction(ignoreDiagnostic, QVariant());
}

PdfRenderer::PdfRenderer(std::unique_ptr<Poppler::Document> document)
    : m_document(std::move(document))
{
}

PdfRenderer::~PdfRenderer() = default;

Expected<std::unique_ptr<PdfRenderer>>
PdfRenderer::fromDocument(std::unique_ptr<Poppler::Document> document, const QString& name)
{
    if (!document)
        return Failure{workspace::messages::cannotRead(
            name, u"PDF ファイルとして読めません。ファイルが壊れている可能性があります。"_s)};
    if (document->isLocked())
        return Failure{
            workspace::messages::cannotRead(name, u"パスワードで保護されているため開けません。"_s)};
    document->setPaperColor(Qt::white);
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    return std::unique_ptr<PdfRenderer>(new PdfRenderer(std::move(document)));
}

Expected<std::unique_ptr<PdfRenderer>> PdfRenderer::open(const QString& path, const QString& name)
{
    return fromDocument(Poppler::Document::load(path), name);
}

Expected<std::unique_ptr<PdfRenderer>> PdfRenderer::fromBytes(const QByteArray& bytes,
                                                              const QString& name)
{
    return fromDocument(Poppler::Document::loadFromData(bytes), name);
}

Expected<QImage> PdfRenderer::render(int index, double dpi, PdfPagePlan::Content content,
                                     const QString& pageName) const
{
    const std::unique_ptr<Poppler::Page> page =
        index >= 0 && index < m_document->numPages() ? m_document->page(index) : nullptr;
    if (!page)
        return Failure{
            workspace::messages::cannotRead(pageName, u"このページが見つかりません。"_s)};
    const QSizeF points = page->pageSizeF();
    const double width = std::round(points.width() * dpi / kPointsPerInch);
    const double height = std::round(points.height() * dpi / kPointsPerInch);
    if (!(width >= 1 && height >= 1))
        return Failure{
            workspace::messages::cannotRead(pageName, u"ページの大きさが読み取れません。"_s)};
    if (width * height > double(kMaxPicturePixels))
        return Failure{workspace::messages::cannotRead(
            pageName, u"画像が大きすぎます（%1 × %2 画素）。"_s.arg(width, 0, 'f', 0)
                          .arg(height, 0, 'f', 0))};
    // A page of pictures alone (a scan stored as JBIG2, CCITT or in layers) is drawn by Qt, which
    // places a bilevel scan pixel for pixel and five times faster than Splash, whose
    // antialiasing greys the edges of its strokes; text and shapes need Splash's fidelity.
    m_document->setRenderBackend(content == PdfPagePlan::Content::Pictures
                                     ? Poppler::Document::QPainterBackend
                                     : Poppler::Document::SplashBackend);
    QImage image =
        page->renderToImage(dpi, dpi, 0, 0, static_cast<int>(width), static_cast<int>(height));
    if (image.isNull())
        return Failure{
            workspace::messages::cannotRead(pageName, u"PDF のページを画像にできませんでした。"_s)};
    // Drawn on opaque white paper, every pixel is opaque: the rows are those of an RGB32 picture.
    if (image.format() == QImage::Format_ARGB32)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

} // namespace imaging
