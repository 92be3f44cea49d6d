// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_settings_dialog.h"

#include "workspace/units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
using workspace::twipsToPixels;

namespace results {

PrintSettingsDialog::PrintSettingsDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"Form5"_s);
    setWindowTitle(u"印刷設定"_s);
    setFixedSize(twipsToPixels(QSizeF(4680, 3195)));

    m_onlyShownCheck = new QCheckBox(u"表示中の答案のみ印刷"_s, this);
    m_onlyShownCheck->setObjectName(u"Check1"_s);
    m_onlyShownCheck->setGeometry(twipsToPixels(QRectF(990, 540, 2445, 285)));

    m_paperSizeList = new QComboBox(this);
    m_paperSizeList->setObjectName(u"Combo1"_s);
    m_paperSizeList->addItems({u"A4"_s, u"A3"_s, u"B4"_s, u"B5"_s});
    m_paperSizeList->move(twipsToPixels(990), twipsToPixels(1080));
    m_paperSizeList->resize(twipsToPixels(1230), m_paperSizeList->sizeHint().height());

    m_orientationList = new QComboBox(this);
    m_orientationList->setObjectName(u"Combo2"_s);
    m_orientationList->addItems({u"横"_s, u"縦"_s});
    m_orientationList->move(twipsToPixels(2430), twipsToPixels(1080));
    m_orientationList->resize(twipsToPixels(1005), m_orientationList->sizeHint().height());

    m_runButton = new QPushButton(u"実行"_s, this);
    m_runButton->setObjectName(u"Command1"_s);
    m_runButton->setGeometry(twipsToPixels(QRectF(990, 1890, 1095, 375)));
    m_runButton->setDefault(true);
    connect(m_runButton, &QPushButton::clicked, this, &QDialog::accept);

    m_cancelButton = new QPushButton(u"キャンセル"_s, this);
    m_cancelButton->setObjectName(u"Command2"_s);
    m_cancelButton->setGeometry(twipsToPixels(QRectF(2340, 1890, 1095, 375)));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

PrintSettings PrintSettingsDialog::chosen() const
{
    return {m_onlyShownCheck->isChecked() ? PrintScope::ShownPicture : PrintScope::MarkedSheets,
            paperForItem(m_paperSizeList->currentText()),
            orientationForItem(m_orientationList->currentText())};
}

std::optional<PrintSettings> askPrintSettings(QWidget* parent)
{
    PrintSettingsDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace results
