// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace sample_exam {

// One question of the sample examination: what the sheet asks, the answer it expects and the
// other answers that earn full marks.
struct Question {
    QString text;
    QString answer;
    QStringList alsoCorrect;
    QStringList wrongAnswers;

    [[nodiscard]] bool isCorrect(const QString& written) const;
};

// The answer-sheet form of the sample examination: an A4 page at 200 dots per inch with a title,
// a name field and ten answer boxes, each beside its printed question.
class SampleForm {
public:
    static constexpr int kDotsPerInch = 200;
    static constexpr QSize kPageSize{1654, 2339};
    static constexpr int kPointsPerQuestion = 5;

    SampleForm();

    [[nodiscard]] const QList<Question>& questions() const { return m_questions; }
    [[nodiscard]] QRect nameField() const;
    // The box of question `index` (0-based).
    [[nodiscard]] QRect answerBox(int index) const;
    // The name field, then the answer boxes in question order: the regions a teacher marks.
    [[nodiscard]] QList<QRect> fields() const;

    // Prints the empty form: the page is assumed white and kPageSize large.
    void draw(QPainter& painter) const;

private:
    QList<Question> m_questions;
};

} // namespace sample_exam
