// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_cell.h"

#include "cutout_cache.h"
#include "picture_box.h"
#include "workspace/units.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace grading {

namespace {

template <typename Control> Control* named(Control* control, const QString& objectName, int index)
{
    control->setObjectName(objectName);
    control->setProperty("index", index);
    control->hide();
    return control;
}

void setGeometryTwips(QWidget* control, const QRectF& twips)
{
    const QRect pixels = workspace::twipsToPixels(twips);
    if (control->geometry() != pixels)
        control->setGeometry(pixels);
}

void setLineText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

AnswerCell::AnswerCell(QWidget* canvas, int index)
    // The frame is created first so that the answer image lies in front of it.
    : m_frame(named(new PictureBox(PictureBox::Stretch::Plain, canvas), u"picHaikei"_s, index))
    , m_image(named(new PictureBox(PictureBox::Stretch::Smooth, canvas), u"picKaitou"_s, index))
    , m_scoreBox(named(new QLineEdit(canvas), u"txtPoint"_s, index))
    , m_unitLabel(named(new QLabel(u"点"_s, canvas), u"Label2"_s, index))
    , m_nameLabel(named(new QLabel(canvas), u"Label3"_s, index))
    , m_commentBox(named(new QLineEdit(canvas), u"txtMemo"_s, index))
{
    const auto fixedSize = [](QWidget* control, QSizeF twips) {
        control->resize(workspace::twipsToPixels(twips));
    };
    // At 23 pixels wide a framed box would hide the sign of "-1.5"; without the frame the
    // text has room, and the white box still stands out on the frame's colour.
    m_scoreBox->setFrame(false);
    fixedSize(m_scoreBox, kScoreBoxSize);
    fixedSize(m_unitLabel, kUnitLabelSize);
    fixedSize(m_nameLabel, kNameLabelSize);
    fixedSize(m_commentBox, kCommentBoxSize);
}

void AnswerCell::setShown(bool shown, CommentDisplay comments)
{
    const bool withComments = shown && comments == CommentDisplay::Shown;
    for (QWidget* control : {static_cast<QWidget*>(m_frame), static_cast<QWidget*>(m_image),
                             static_cast<QWidget*>(m_scoreBox), static_cast<QWidget*>(m_unitLabel)})
        control->setVisible(shown);
    m_nameLabel->setVisible(withComments);
    m_commentBox->setVisible(withComments);
}

void AnswerCell::place(const CellGeometry& geometry)
{
    setGeometryTwips(m_frame, geometry.frame);
    setGeometryTwips(m_image, geometry.image);
    setGeometryTwips(m_scoreBox, geometry.scoreBox);
    setGeometryTwips(m_unitLabel, geometry.unitLabel);
    setGeometryTwips(m_nameLabel, geometry.nameLabel);
    setGeometryTwips(m_commentBox, geometry.commentBox);
}

void AnswerCell::setPicture(CutoutCache& cutouts, const QString& path)
{
    m_image->setPictureSource([&cutouts, path] { return cutouts.picture(path); });
}

void AnswerCell::clearPicture()
{
    m_image->setPicture({});
}

void AnswerCell::setScoreText(const QString& text)
{
    setLineText(m_scoreBox, text);
}

void AnswerCell::setCommentText(const QString& text)
{
    setLineText(m_commentBox, text);
}

void AnswerCell::setName(const QString& name)
{
    if (m_nameLabel->text() != name)
        m_nameLabel->setText(name);
}

void AnswerCell::setMark(imaging::MarkState state, const QPixmap& swatch)
{
    m_frame->setTag(imaging::tagWord(state));
    m_frame->setPicture(swatch);
}

} // namespace grading
