// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_setup.h"

#include "imaging/japanese_font.h"
#include "imaging/picture_loading.h"
#include "workspace/cp932.h"
#include "workspace/limits.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace main_window {

bool prepareApplication()
{
    QApplication::setFont(QFont(imaging::japaneseFontFamily(), 9));

    auto* qtTranslations = new QTranslator(qApp);
    if (qtTranslations->load(QLocale(QLocale::Japanese), u"qtbase"_s, u"_"_s,
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTranslations);

    if (!workspace::cp932::isAvailable()) {
        QMessageBox::critical(nullptr, workspace::applicationTitle(),
                              u"Shift-JIS の文字コード変換が使えないため起動できません。"_s);
        return false;
    }
    imaging::configureImageReading();
    return true;
}

} // namespace main_window
