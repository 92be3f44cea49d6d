// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_panel.h"

#include "picture_box.h"
#include "widgets/designed_control.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace grading {

namespace {

// Design places in twips; every control stands 120 twips from the panel's left edge.
constexpr double kLeft = 120;
constexpr double kButtonWidth = 1125;
constexpr double kButtonHeight = 450;

PictureBox* makeSwatch(QWidget* panel, const QString& objectName, imaging::MarkState state)
{
    auto* holder = new PictureBox(PictureBox::Stretch::Plain, panel);
    holder->setObjectName(objectName);
    holder->setPicture(QPixmap::fromImage(imaging::swatchImage(state)));
    holder->setGeometry(0, 0, 10, 10);
    holder->hide();
    return holder;
}

} // namespace

CommandPanel::CommandPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"Picture3"_s);
    const auto button = [this](const QString& name, const QString& caption, double top) {
        return widgets::makeDesignedControl<QPushButton>(this, name, caption,
                                                         {kLeft, top, kButtonWidth, kButtonHeight});
    };
    m_controls.selectAllButton = button(u"Command2"_s, u"全て選択"_s, 180);
    m_controls.selectUnscoredButton = button(u"Command3"_s, u"未選択分"_s, 731);
    m_controls.clearSelectionButton = button(u"Command4"_s, u"選択全解除"_s, 1312);
    m_controls.enlargeButton = button(u"Command6"_s, u"拡大"_s, 1893);
    m_controls.reduceButton = button(u"Command5"_s, u"縮小"_s, 2475);
    m_controls.hideGradedCheck = widgets::makeDesignedControl<QCheckBox>(
        this, u"Check1"_s, u"採点済は非表示"_s, {kLeft, 3060, 1950, 375});
    m_controls.showCommentsCheck = widgets::makeDesignedControl<QCheckBox>(
        this, u"Check2"_s, u"ｺﾒﾝﾄと名前を表示"_s, {kLeft, 3555, 1950, 375});
    m_controls.columnsLabel = widgets::makeDesignedControl<QLabel>(this, u"Label4"_s, u"表示列数"_s,
                                                                   {kLeft, 4095, 1125, 195});
    m_controls.fewerColumnsButton = widgets::makeDesignedControl<QPushButton>(
        this, u"cmdDown"_s, u"<"_s, {kLeft, 4305, 330, 375});
    m_controls.columnsEdit =
        widgets::makeDesignedControl<QLineEdit>(this, u"Text1"_s, u"1"_s, {480, 4305, 405, 375});
    m_controls.moreColumnsButton =
        widgets::makeDesignedControl<QPushButton>(this, u"cmdUp"_s, u">"_s, {915, 4305, 330, 375});
    m_controls.extractEdit =
        widgets::makeDesignedControl<QLineEdit>(this, u"Text2"_s, u"1"_s, {kLeft, 4815, 405, 375});
    m_controls.extractButton = widgets::makeDesignedControl<QPushButton>(
        this, u"Command7"_s, u"抽出"_s, {555, 4815, 690, 375});
    m_controls.finishButton = button(u"Command1"_s, u"採点終了"_s, 5610);
    m_controls.selectBlankButton = button(u"cmdMutou"_s, u"無答を選択"_s, 6240);
    m_controls.similarOrderCheck = widgets::makeDesignedControl<QCheckBox>(
        this, u"chkNiteru"_s, u"似た順"_s, {kLeft, 6810, 1950, 375});

    m_grayImage = makeSwatch(this, u"imgGray"_s, imaging::MarkState::Gray);
    m_blueImage = makeSwatch(this, u"imgBlue"_s, imaging::MarkState::Blue);
    m_yellowImage = makeSwatch(this, u"imgYellow"_s, imaging::MarkState::Yellow);
}

const QPixmap& CommandPanel::swatch(imaging::MarkState state) const
{
    switch (state) {
    case imaging::MarkState::Blue: return m_blueImage->picture();
    case imaging::MarkState::Yellow: return m_yellowImage->picture();
    case imaging::MarkState::Gray: break;
    }
    return m_grayImage->picture();
}

} // namespace grading
