// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace grading {

// The score palette (Form3, "点数＆コメント"): seven score presets, each with its button
// "この点数で採点", and one comment preset with "このコメントを付ける". It stands beside the
// grading window, which owns it; its close box only hides it, so that the edited presets stay
// for as long as the grading window is open.
class ScorePalette : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPresetCount = 7;

    explicit ScorePalette(QWidget* gradingWindow);

    [[nodiscard]] QLineEdit* scorePreset(int index) const { return m_scorePresets[index]; }
    [[nodiscard]] QPushButton* scoreButton(int index) const { return m_scoreButtons[index]; }
    [[nodiscard]] QLineEdit* commentPreset() const { return m_commentPreset; }
    [[nodiscard]] QPushButton* commentButton() const { return m_commentButton; }

    // F1 … F7 on the grid: shows the palette again if the teacher closed it, then presses
    // score button `index` exactly as a click would.
    void pressScoreButton(int index);

signals:
    void scoreRequested(const QString& preset);
    void commentRequested(const QString& preset);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QList<QLineEdit*> m_scorePresets;   // Text1(0 … 6)
    QList<QPushButton*> m_scoreButtons; // Command1(0 … 6)
    QLineEdit* m_commentPreset = nullptr;
    QPushButton* m_commentButton = nullptr;
};

} // namespace grading
