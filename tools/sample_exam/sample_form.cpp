// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_form.h"

#include <QFont>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace sample_exam {

namespace {

constexpr int kFirstQuestionTop = 450;
constexpr int kQuestionPitch = 180;
constexpr QRect kNameField{760, 240, 700, 120};
constexpr int kAnswerBoxLeft = 1080;
constexpr QSize kAnswerBoxSize{440, 140};

QFont printedFont(int pixelSize, QFont::Weight weight = QFont::Normal)
{
    QFont font(u"Noto Serif CJK JP"_s);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QString fullWidthNumber(int number)
{
    QString text = QString::number(number);
    for (QChar& digit : text)
        digit = QChar(digit.unicode() - u'0' + u'０');
    return text;
}

} // namespace

bool Question::isCorrect(const QString& written) const
{
    return written == answer || alsoCorrect.contains(written);
}

SampleForm::SampleForm()
    : m_questions{
        {u"３７＋４８ を計算しなさい。"_s, u"85"_s, {}, {u"75"_s, u"815"_s, u"86"_s}},
        {u"１２×６ を計算しなさい。"_s, u"72"_s, {}, {u"62"_s, u"18"_s, u"74"_s}},
        {u"１／４ を小数で表しなさい。"_s, u"0.25"_s, {}, {u"0.4"_s, u"0.025"_s, u"2.5"_s}},
        {u"x＋５＝１２ のとき x の値は。"_s, u"7"_s, {u"x=7"_s}, {u"17"_s, u"5"_s, u"x=17"_s}},
        {u"三角形の内角の和は何度か。"_s,
         u"180度"_s,
         {u"180"_s, u"180°"_s},
         {u"360度"_s, u"90"_s, u"270"_s}},
        {u"「やま」を漢字で書きなさい。"_s, u"山"_s, {}, {u"川"_s, u"出"_s, u"止"_s}},
        {u"「はな」を漢字で書きなさい。"_s, u"花"_s, {}, {u"化"_s, u"草"_s, u"芽"_s}},
        {u"日本の首都はどこか。"_s, u"東京"_s, {u"東京都"_s}, {u"大阪"_s, u"京都"_s, u"名古屋"_s}},
        {u"dog を日本語にしなさい。"_s, u"いぬ"_s, {u"犬"_s}, {u"ねこ"_s, u"とり"_s, u"ぶた"_s}},
        {u"１時間は何分か。"_s, u"60分"_s, {u"60"_s}, {u"100分"_s, u"30"_s, u"24"_s}},
    }
{
}

QRect SampleForm::nameField() const
{
    return kNameField;
}

QRect SampleForm::answerBox(int index) const
{
    return {QPoint(kAnswerBoxLeft, kFirstQuestionTop + index * kQuestionPitch), kAnswerBoxSize};
}

QList<QRect> SampleForm::fields() const
{
    QList<QRect> fields{nameField()};
    for (int index = 0; index < m_questions.size(); ++index)
        fields.append(answerBox(index));
    return fields;
}

void SampleForm::draw(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);

    painter.setFont(printedFont(52, QFont::Bold));
    painter.drawText(QPoint(130, 150), u"第１回　確認テスト（サンプル）"_s);
    painter.setFont(printedFont(30));
    painter.drawText(
        QPoint(130, 215),
        u"各%1点　%2点満点"_s.arg(fullWidthNumber(kPointsPerQuestion),
                                  fullWidthNumber(kPointsPerQuestion * int(m_questions.size()))));

    painter.setFont(printedFont(38));
    painter.drawText(QPoint(kNameField.left() - 110, kNameField.center().y() + 14), u"氏名"_s);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(kNameField);
    painter.drawLine(130, 400, SampleForm::kPageSize.width() - 130, 400);

    for (int index = 0; index < m_questions.size(); ++index) {
        const QRect box = answerBox(index);
        const int baseline = box.center().y() + 13;
        painter.setPen(Qt::black);
        painter.setFont(printedFont(38, QFont::Bold));
        painter.drawText(QPoint(130, baseline), u"問"_s + fullWidthNumber(index + 1));
        painter.setFont(printedFont(36));
        painter.drawText(QPoint(270, baseline), m_questions[index].text);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(box);
    }
    painter.restore();
}

} // namespace sample_exam
