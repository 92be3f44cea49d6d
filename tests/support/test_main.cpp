// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/japanese_font.h"
#include "imaging/picture_loading.h"

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

// Every test executable runs inside a real QApplication on the offscreen platform.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marutsuke-tests"));
    QApplication::setFont(QFont(imaging::japaneseFontFamily(), 9));
    imaging::configureImageReading();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
