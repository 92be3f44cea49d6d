// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_class.h"

#include <QRandomGenerator>

#include <algorithm>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace sample_exam {

namespace {

// In the order of the Japanese syllabary, as a class list is kept.
const QStringList& classList()
{
    static const QStringList names = {
        u"阿部　楓"_s,   u"池田　紬"_s,   u"石川　陸"_s,   u"伊藤　さくら"_s, u"井上　樹"_s,
        u"加藤　湊"_s,   u"木村　心春"_s, u"小林　葵"_s,   u"斎藤　結菜"_s,   u"佐々木　芽依"_s,
        u"佐藤　陽菜"_s, u"清水　悠斗"_s, u"鈴木　大翔"_s, u"高橋　結衣"_s,   u"田中　蓮"_s,
        u"中島　朝陽"_s, u"中村　颯太"_s, u"橋本　奏太"_s, u"林　大和"_s,     u"藤田　翼"_s,
        u"前田　彩花"_s, u"松本　莉子"_s, u"森　律"_s,     u"山口　蒼"_s,     u"山崎　杏"_s,
        u"山下　咲良"_s, u"山田　陽斗"_s, u"山本　美咲"_s, u"吉田　凛"_s,     u"渡辺　悠真"_s,
    };
    return names;
}

QString answerOf(const Question& question, double skill, QRandomGenerator& random)
{
    const double draw = random.generateDouble();
    if (draw < 0.04)
        return {};
    if (draw < skill) {
        if (!question.alsoCorrect.isEmpty() && random.bounded(4) == 0)
            return question.alsoCorrect[random.bounded(int(question.alsoCorrect.size()))];
        return question.answer;
    }
    return question.wrongAnswers[random.bounded(int(question.wrongAnswers.size()))];
}

} // namespace

SampleClass::SampleClass(int size, const SampleForm& form)
{
    if (size < 1 || size > kFullSize)
        throw std::invalid_argument("the sample class has 1 to 30 students");
    for (int index = 0; index < size; ++index) {
        QRandomGenerator random(static_cast<quint32>(index) * 31337u + 5u);
        const double skill = 0.55 + random.generateDouble() * 0.4;
        Student student{classList()[index], Hand::forWriter(static_cast<quint32>(index)), {}};
        for (const Question& question : form.questions())
            student.answers.append(answerOf(question, skill, random));
        m_students.append(student);
        m_sheetOrder.append(index);
    }
    if (size > kSwappedSecond)
        std::swap(m_sheetOrder[kSwappedFirst], m_sheetOrder[kSwappedSecond]);
    // Only where the late sheet leaves a gap: as the last student it would be in place anyway.
    if (size > kLateStudent + 1) {
        m_sheetOrder.removeOne(kLateStudent);
        m_sheetOrder.append(kLateStudent);
    }
}

QStringList SampleClass::rosterNames() const
{
    QStringList names;
    for (const Student& student : m_students)
        names.append(student.name);
    return names;
}

const Student& SampleClass::onSheet(int sheetIndex) const
{
    return m_students[m_sheetOrder[sheetIndex]];
}

QStringList SampleClass::namesInSheetOrder() const
{
    QStringList names;
    for (int index : m_sheetOrder)
        names.append(m_students[index].name);
    return names;
}

} // namespace sample_exam
