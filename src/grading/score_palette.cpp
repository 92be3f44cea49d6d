// SPDX-License-Identifier: GPL-3.0-or-later
#include "score_palette.h"

#include "widgets/designed_control.h"
#include "workspace/units.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
using workspace::twipsToPixels;

namespace grading {

namespace {

// The seventh preset sits a little lower than the rhythm of the first six.
double presetTop(int index)
{
    return index < 6 ? 280 + 390 * index : 2625;
}

} // namespace

ScorePalette::ScorePalette(QWidget* gradingWindow)
    : QWidget(gradingWindow, Qt::Tool)
{
    setObjectName(u"Form3"_s);
    setWindowTitle(u"点数＆コメント"_s);
    setFixedSize(twipsToPixels(QSizeF(2790, 4455)));
    // Shown again by F1 … F7, it must leave the keyboard with the grid for the next key.
    setAttribute(Qt::WA_ShowWithoutActivating);

    for (int index = 0; index < kPresetCount; ++index) {
        const QString initial = index < 6 ? QString::number(index) : QString();
        QLineEdit* preset = widgets::makeDesignedControl<QLineEdit>(
            this, u"Text1"_s, initial, {120, presetTop(index), 885, 285});
        preset->setProperty("index", index);
        m_scorePresets.append(preset);

        QPushButton* button = widgets::makeDesignedControl<QPushButton>(
            this, u"Command1"_s, u"この点数で採点"_s, {1110, 270.0 + 390 * index, 1515, 315});
        button->setProperty("index", index);
        connect(button, &QPushButton::clicked, this,
                [this, preset] { emit scoreRequested(preset->text()); });
        m_scoreButtons.append(button);
    }
    m_commentPreset = widgets::makeDesignedControl<QLineEdit>(this, u"Text2"_s, QString(),
                                                              {120, 3390, 2505, 315});
    m_commentButton = widgets::makeDesignedControl<QPushButton>(
        this, u"Command2"_s, u"このコメントを付ける"_s, {120, 3780, 2535, 345});
    connect(m_commentButton, &QPushButton::clicked, this,
            [this] { emit commentRequested(m_commentPreset->text()); });
}

void ScorePalette::pressScoreButton(int index)
{
    if (index < 0 || index >= kPresetCount)
        return;
    if (isHidden())
        show();
    m_scoreButtons[index]->click();
}

void ScorePalette::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace grading
