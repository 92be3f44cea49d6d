// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "handwriting.h"
#include "sample_form.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sample_exam {

// One student of the sample class: the name as the roster lists it, the hand they write in and
// their answer to each question (empty when left blank).
struct Student {
    QString name;
    Hand hand;
    QStringList answers;
};

// The students who sat the sample examination. The roster lists them in the usual order of a
// Japanese class list; the sheets were scanned in nearly that order, but two neighbours' sheets
// lie the other way round and one sheet handed in late lies at the end, so that assigning the
// roster to the sheets has something to put right.
class SampleClass {
public:
    static constexpr int kFullSize = 30;
    // The roster places of the two neighbours whose sheets lie the other way round, and of the
    // student whose sheet was handed in late and lies last.
    static constexpr int kSwappedFirst = 2;
    static constexpr int kSwappedSecond = 3;
    static constexpr int kLateStudent = 10;

    // The first `size` students (1 … kFullSize) of the class.
    SampleClass(int size, const SampleForm& form);

    [[nodiscard]] int size() const { return static_cast<int>(m_students.size()); }
    [[nodiscard]] const QList<Student>& rosterOrder() const { return m_students; }
    [[nodiscard]] QStringList rosterNames() const;
    // For each sheet in scan order, the student's place in the roster.
    [[nodiscard]] const QList<int>& sheetOrder() const { return m_sheetOrder; }
    // The student who wrote sheet `sheetIndex` (0-based, scan order).
    [[nodiscard]] const Student& onSheet(int sheetIndex) const;
    // The roster names in sheet order: what the roster file holds once put right.
    [[nodiscard]] QStringList namesInSheetOrder() const;

private:
    QList<Student> m_students;
    QList<int> m_sheetOrder;
};

} // namespace sample_exam
