// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_document.h"

#include "workspace/file_messages.h"

#include <QFile>

// qpdf reads a page's structure and hands out a picture's bytes as they are stored, which
// Poppler's Qt binding cannot; Poppler's core headers promise no stable interface.
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;

namespace imaging {

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kMillimetresPerPoint = 25.4 / kPointsPerInch;
// The difference in paper that still counts as the same size.
constexpr double kSamePaperMillimetres = 5;
// Rendering outside these would give an unreadable sheet, or a huge one for a small picture
// drawn tiny.
constexpr double kMinRenderDpi = 100;
constexpr double kMaxRenderDpi = 600;
// How far a full-page picture's edges may lie from the page's: a point and a hundredth of the
// page, for writers that round the page to whole points and the picture to whole pixels.
constexpr double kEdgeTolerancePoints = 1;
constexpr double kEdgeToleranceShare = 0.01;
// Nesting of saved graphics states beyond any real page.
constexpr std::size_t kMaxStateDepth = 1024;

QString brokenReason()
{
    return u"PDF ファイルとして読めません。ファイルが壊れている可能性があります。"_s;
}

struct Box {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;

    [[nodiscard]] double width() const { return right - left; }
    [[nodiscard]] double height() const { return top - bottom; }
};

std::optional<Box> boxOf(QPDFObjectHandle handle)
{
    if (!handle.isRectangle())
        return std::nullopt;
    const QPDFObjectHandle::Rectangle rectangle = handle.getArrayAsRectangle();
    const Box box{std::min(rectangle.llx, rectangle.urx), std::min(rectangle.lly, rectangle.ury),
                  std::max(rectangle.llx, rectangle.urx), std::max(rectangle.lly, rectangle.ury)};
    if (!std::isfinite(box.width()) || !std::isfinite(box.height()) || box.width() <= 0
        || box.height() <= 0)
        return std::nullopt;
    return box;
}

// The page as it is shown: its crop box within its media box, and its rotation.
struct PageFrame {
    Box visible;
    int rotation = 0;

    [[nodiscard]] QSizeF paperSize() const
    {
        const QSizeF size(visible.width() * kMillimetresPerPoint,
                          visible.height() * kMillimetresPerPoint);
        return rotation % 180 == 0 ? size : size.transposed();
    }
};

std::optional<PageFrame> frameOf(QPDFPageObjectHelper& page)
{
    const std::optional<Box> media = boxOf(page.getAttribute("/MediaBox", false));
    if (!media)
        return std::nullopt;
    PageFrame frame{*media, 0};
    if (const std::optional<Box> crop = boxOf(page.getAttribute("/CropBox", false))) {
        const Box visible{std::max(crop->left, media->left), std::max(crop->bottom, media->bottom),
                          std::min(crop->right, media->right), std::min(crop->top, media->top)};
        if (visible.width() > 0 && visible.height() > 0)
            frame.visible = visible;
    }
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (rotate.isInteger()) {
        const long long degrees = (rotate.getIntValue() % 360 + 360) % 360;
        frame.rotation = degrees % 90 == 0 ? static_cast<int>(degrees) : 0;
    }
    return frame;
}

// A transformation of the page as the content stream sets it with "cm".
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    // A point moved by this matrix and then by `n`: "cm" puts its matrix before the current one.
    [[nodiscard]] Matrix followedBy(const Matrix& n) const
    {
        return {a * n.a + b * n.c, a * n.b + b * n.d,       c * n.a + d * n.c,
                c * n.b + d * n.d, e * n.a + f * n.c + n.e, e * n.b + f * n.d + n.f};
    }
};

// A graphics state set with "gs" that leaves a picture showing as it is stored: no soft mask,
// no transparency, no blending and no transfer function.
bool isPlainState(QPDFObjectHandle resources, const std::string& name)
{
    QPDFObjectHandle state = resources.getKeyIfDict("/ExtGState").getKeyIfDict(name);
    if (!state.isDictionary())
        return false;
    QPDFObjectHandle mask = state.getKey("/SMask");
    if (!mask.isNull() && !mask.isNameAndEquals("/None"))
        return false;
    for (const char* alpha : {"/ca", "/CA"}) {
        QPDFObjectHandle value = state.getKey(alpha);
        if (!value.isNull() && (!value.isNumber() || value.getNumericValue() < 1))
            return false;
    }
    QPDFObjectHandle blend = state.getKey("/BM");
    if (!blend.isNull() && !blend.isNameAndEquals("/Normal")
        && !blend.isNameAndEquals("/Compatible"))
        return false;
    for (const char* transfer : {"/TR", "/TR2"}) {
        QPDFObjectHandle value = state.getKey(transfer);
        if (!value.isNull() && !value.isNameAndEquals("/Identity")
            && !value.isNameAndEquals("/Default"))
            return false;
    }
    return true;
}

// What a page's content stream draws: the XObjects it paints with "Do" and where, and whether
// it does anything else that shows (text, paths, inline pictures, a state that changes how a
// picture shows).
class PageDrawing : public QPDFObjectHandle::ParserCallbacks {
public:
    struct Placed {
        std::string name;
        Matrix matrix;
    };

    explicit PageDrawing(QPDFObjectHandle resources)
        : m_resources(std::move(resources))
    {
    }

    void handleObject(QPDFObjectHandle object) override
    {
        if (!object.isOperator()) {
            m_operands.push_back(std::move(object));
            return;
        }
        apply(object.getOperatorValue());
        m_operands.clear();
    }
    void handleEOF() override {}

    [[nodiscard]] const std::vector<Placed>& placed() const { return m_placed; }
    [[nodiscard]] bool drawsOnlyXObjects() const { return m_onlyXObjects; }

private:
    void apply(const std::string& op)
    {
        // Colour, line and marked-content settings change nothing in how a picture shows.
        static const std::set<std::string> kHarmless{
            "cs", "CS", "sc", "scn", "SC", "SCN", "g",  "G",  "rg", "RG", "k",   "K",   "w",
            "J",  "j",  "M",  "d",   "ri", "i",   "BX", "EX", "MP", "DP", "BMC", "BDC", "EMC"};
        if (op == "q") {
            if (m_saved.size() >= kMaxStateDepth)
                m_onlyXObjects = false;
            else
                m_saved.push_back(m_matrix);
        } else if (op == "Q") {
            if (!m_saved.empty()) {
                m_matrix = m_saved.back();
                m_saved.pop_back();
            }
        } else if (op == "cm") {
            concatenate();
        } else if (op == "Do") {
            if (m_operands.size() == 1 && m_operands[0].isName())
                m_placed.push_back({m_operands[0].getName(), m_matrix});
            else
                m_onlyXObjects = false;
        } else if (op == "gs") {
            if (m_operands.size() != 1 || !m_operands[0].isName()
                || !isPlainState(m_resources, m_operands[0].getName()))
                m_onlyXObjects = false;
        } else if (kHarmless.count(op) == 0) {
            m_onlyXObjects = false;
        }
    }

    void concatenate()
    {
        double values[6];
        if (m_operands.size() != 6) {
            m_onlyXObjects = false;
            return;
        }
        for (int index = 0; index < 6; ++index) {
            if (!m_operands[index].isNumber()) {
                m_onlyXObjects = false;
                return;
            }
            values[index] = m_operands[index].getNumericValue();
        }
        const Matrix added{values[0], values[1], values[2], values[3], values[4], values[5]};
        m_matrix = added.followedBy(m_matrix);
    }

    QPDFObjectHandle m_resources;
    std::vector<QPDFObjectHandle> m_operands;
    Matrix m_matrix;
    std::vector<Matrix> m_saved;
    std::vector<Placed> m_placed;
    bool m_onlyXObjects = true;
};

bool isOnlyFilter(QPDFObjectHandle filter, const char* name)
{
    if (filter.isArray() && filter.getArrayNItems() == 1)
        filter = filter.getArrayItem(0);
    return filter.isNameAndEquals(name);
}

// A colour space whose JPEG decodes to the colours the page shows: grey or RGB.
bool isGreyOrRgb(QPDFObjectHandle space)
{
    if (space.isNameAndEquals("/DeviceGray") || space.isNameAndEquals("/DeviceRGB"))
        return true;
    if (!space.isArray() || space.getArrayNItems() != 2
        || !space.getArrayItem(0).isNameAndEquals("/ICCBased"))
        return false;
    QPDFObjectHandle profile = space.getArrayItem(1);
    if (!profile.isStream())
        return false;
    QPDFObjectHandle components = profile.getDict().getKey("/N");
    return components.isInteger()
           && (components.getIntValue() == 1 || components.getIntValue() == 3);
}

bool isIdentityDecode(QPDFObjectHandle decode)
{
    if (decode.isNull())
        return true;
    if (!decode.isArray())
        return false;
    const int items = decode.getArrayNItems();
    for (int index = 0; index < items; ++index) {
        QPDFObjectHandle value = decode.getArrayItem(index);
        if (!value.isNumber() || value.getNumericValue() != (index % 2 == 0 ? 0 : 1))
            return false;
    }
    return true;
}

// A picture that is a plain JPEG shown as it is stored: no mask, no inverted or remapped
// samples, no colours that the JPEG decoder would give otherwise.
bool isPlainJpeg(QPDFObjectHandle image)
{
    QPDFObjectHandle dict = image.getDict();
    if (!isOnlyFilter(dict.getKey("/Filter"), "/DCTDecode"))
        return false;
    QPDFObjectHandle parameters = dict.getKey("/DecodeParms");
    if (parameters.isArray() && parameters.getArrayNItems() == 1)
        parameters = parameters.getArrayItem(0);
    if (!parameters.isNull()
        && !(parameters.isDictionary() && !parameters.hasKey("/ColorTransform")))
        return false;
    QPDFObjectHandle imageMask = dict.getKey("/ImageMask");
    if (imageMask.isBool() && imageMask.getBoolValue())
        return false;
    QPDFObjectHandle bits = dict.getKey("/BitsPerComponent");
    return !dict.hasKey("/Mask") && !dict.hasKey("/SMask") && bits.isInteger()
           && bits.getIntValue() == 8 && isGreyOrRgb(dict.getKey("/ColorSpace"))
           && isIdentityDecode(dict.getKey("/Decode"));
}

// Whether the placed unit square covers the visible page, upright and unmirrored.
bool coversPage(const Matrix& m, const Box& page)
{
    const double toleranceX = kEdgeTolerancePoints + kEdgeToleranceShare * page.width();
    const double toleranceY = kEdgeTolerancePoints + kEdgeToleranceShare * page.height();
    return m.b == 0 && m.c == 0 && m.a > 0 && m.d > 0 && std::abs(m.e - page.left) <= toleranceX
           && std::abs(m.e + m.a - page.right) <= toleranceX
           && std::abs(m.f - page.bottom) <= toleranceY
           && std::abs(m.f + m.d - page.top) <= toleranceY;
}

bool hasAnnotations(QPDFPageObjectHelper& page)
{
    QPDFObjectHandle annotations = page.getObjectHandle().getKey("/Annots");
    return annotations.isArray() && annotations.getArrayNItems() > 0;
}

// The resolution of the page's largest picture, where the content draws it or, for a picture
// inside a form, as if it filled the page.
double largestPictureDpi(QPDFPageObjectHelper& page, const PageDrawing& drawing, const Box& visible)
{
    std::map<std::string, QPDFObjectHandle> ownPictures = page.getImages();
    long long largest = 0;
    double dpi = 0;
    page.forEachImage(
        true, [&](QPDFObjectHandle& image, QPDFObjectHandle&, const std::string& key) {
            QPDFObjectHandle dict = image.getDict();
            QPDFObjectHandle width = dict.getKey("/Width");
            QPDFObjectHandle height = dict.getKey("/Height");
            if (!width.isInteger() || !height.isInteger() || width.getIntValue() <= 0
                || height.getIntValue() <= 0)
                return;
            const double pixelsWide = double(width.getIntValue());
            const double pixelsHigh = double(height.getIntValue());
            const long long pixels = width.getIntValue() * height.getIntValue();
            if (pixels <= largest)
                return;
            largest = pixels;
            double drawnWidth = visible.width();
            double drawnHeight = visible.height();
            const auto own = ownPictures.find(key);
            if (own != ownPictures.end() && own->second.isSameObjectAs(image)) {
                for (const PageDrawing::Placed& placed : drawing.placed()) {
                    if (placed.name != key)
                        continue;
                    drawnWidth = std::hypot(placed.matrix.a, placed.matrix.b);
                    drawnHeight = std::hypot(placed.matrix.c, placed.matrix.d);
                    break;
                }
            }
            dpi = std::max(drawnWidth > 0 ? pixelsWide * kPointsPerInch / drawnWidth : 0,
                           drawnHeight > 0 ? pixelsHigh * kPointsPerInch / drawnHeight : 0);
        });
    if (largest == 0 || !std::isfinite(dpi))
        return kDefaultRenderDpi;
    return std::clamp(dpi, kMinRenderDpi, kMaxRenderDpi);
}

} // namespace

struct PdfDocument::Parts {
    // Bytes qpdf reads in place, for a document held in memory.
    QByteArray bytes;
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages;
};

PdfDocument::PdfDocument(std::unique_ptr<Parts> parts)
    : m_parts(std::move(parts))
{
}

PdfDocument::~PdfDocument() = default;

namespace {

// Reads the document's page list with `process`, which hands qpdf the file.
Expected<std::vector<QPDFPageObjectHelper>> readPages(QPDF& pdf, const QString& name,
                                                      const std::function<void(QPDF&)>& process)
{
    auto failed = [&name](const QString& reason) {
        return Failure{workspace::messages::cannotRead(name, reason)};
    };
    std::vector<QPDFPageObjectHelper> pages;
    try {
        pdf.setSuppressWarnings(true);
        process(pdf);
        pages = QPDFPageDocumentHelper(pdf).getAllPages();
    } catch (const QPDFExc& error) {
        return failed(error.getErrorCode() == qpdf_e_password
                          ? u"パスワードで保護されているため開けません。"_s
                          : brokenReason());
    } catch (const std::exception&) {
        return failed(brokenReason());
    }
    if (pages.empty())
        return failed(u"PDF ファイルにページがありません。"_s);
    return pages;
}

} // namespace

Expected<std::unique_ptr<PdfDocument>> PdfDocument::open(const QString& path, const QString& name)
{
    if (!QFile::exists(path))
        return Failure{workspace::messages::cannotRead(name, u"ファイルが見つかりません。"_s)};
    auto parts = std::make_unique<Parts>();
    Expected<std::vector<QPDFPageObjectHelper>> pages =
        readPages(parts->pdf, name,
                  [&path](QPDF& pdf) { pdf.processFile(QFile::encodeName(path).constData()); });
    if (!pages)
        return Failure{pages.error()};
    parts->pages = std::move(pages).value();
    return std::unique_ptr<PdfDocument>(new PdfDocument(std::move(parts)));
}

Expected<std::unique_ptr<PdfDocument>> PdfDocument::fromBytes(const QByteArray& bytes,
                                                              const QString& name)
{
    auto parts = std::make_unique<Parts>();
    parts->bytes = bytes;
    Expected<std::vector<QPDFPageObjectHelper>> pages =
        readPages(parts->pdf, name, [&parts, &name](QPDF& pdf) {
            pdf.processMemoryFile(name.toUtf8().constData(), parts->bytes.constData(),
                                  static_cast<size_t>(parts->bytes.size()));
        });
    if (!pages)
        return Failure{pages.error()};
    parts->pages = std::move(pages).value();
    return std::unique_ptr<PdfDocument>(new PdfDocument(std::move(parts)));
}

int PdfDocument::pageCount() const
{
    return static_cast<int>(m_parts->pages.size());
}

Expected<QSizeF> PdfDocument::paperSize(int index, const QString& pageName) const
{
    if (index < 0 || index >= pageCount())
        return Failure{
            workspace::messages::cannotRead(pageName, u"このページが見つかりません。"_s)};
    try {
        if (const std::optional<PageFrame> frame = frameOf(m_parts->pages[index]))
            return frame->paperSize();
    } catch (const std::exception&) {
    }
    return Failure{
        workspace::messages::cannotRead(pageName, u"ページの大きさが読み取れません。"_s)};
}

Expected<PdfPagePlan> PdfDocument::plan(int index, const QString& pageName) const
{
    if (index < 0 || index >= pageCount())
        return Failure{
            workspace::messages::cannotRead(pageName, u"このページが見つかりません。"_s)};
    try {
        QPDFPageObjectHelper& page = m_parts->pages[index];
        const std::optional<PageFrame> frame = frameOf(page);
        if (!frame)
            return Failure{
                workspace::messages::cannotRead(pageName, u"ページの大きさが読み取れません。"_s)};
        PdfPagePlan plan;
        plan.paperSize = frame->paperSize();
        PageDrawing drawing(page.getAttribute("/Resources", false));
        page.parseContents(&drawing);

        const std::map<std::string, QPDFObjectHandle> pictures = page.getImages();
        if (drawing.drawsOnlyXObjects() && drawing.placed().size() == 1 && frame->rotation == 0
            && !hasAnnotations(page)) {
            const PageDrawing::Placed& placed = drawing.placed().front();
            const auto picture = pictures.find(placed.name);
            if (picture != pictures.end() && isPlainJpeg(picture->second)
                && coversPage(placed.matrix, frame->visible)) {
                const std::shared_ptr<Buffer> data =
                    QPDFObjectHandle(picture->second).getRawStreamData();
                plan.jpeg = QByteArray(reinterpret_cast<const char*>(data->getBuffer()),
                                       static_cast<qsizetype>(data->getSize()));
                // Some writers count the line end before "endstream" as part of the stream; a
                // JPEG ends with its end marker, and a decoder would take the rest as damage.
                while (plan.jpeg.endsWith('\n') || plan.jpeg.endsWith('\r')
                       || plan.jpeg.endsWith(' '))
                    plan.jpeg.chop(1);
                return plan;
            }
        }
        plan.renderDpi = largestPictureDpi(page, drawing, frame->visible);
        const bool placesOnlyPictures =
            drawing.drawsOnlyXObjects() && !drawing.placed().empty()
            && std::all_of(drawing.placed().begin(), drawing.placed().end(),
                           [&pictures](const PageDrawing::Placed& placed) {
                               return pictures.count(placed.name) > 0;
                           });
        plan.content = placesOnlyPictures && !hasAnnotations(page) ? PdfPagePlan::Content::Pictures
                                                                   : PdfPagePlan::Content::Drawing;
        return plan;
    } catch (const std::exception&) {
        return Failure{workspace::messages::cannotRead(pageName, brokenReason())};
    }
}

bool isOtherPaper(QSizeF paper, QSizeF firstPaper)
{
    return std::abs(paper.width() - firstPaper.width()) > kSamePaperMillimetres
           || std::abs(paper.height() - firstPaper.height()) > kSamePaperMillimetres;
}

} // namespace imaging
