// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera.h"
#include "main_window/application_setup.h"
#include "walkthrough.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <exception>

using namespace Qt::Literals::StringLiterals;

// marutsuke-screenshots PICTURE_FOLDER WORK_FOLDER: grades the sample examination in a fresh
// work folder with the real windows and writes the README's pictures. Run it on an X server
// (scripts/screenshots starts one), so that the pictures show the program as a teacher sees it.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"marutsuke"_s);
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        err << u"usage: marutsuke-screenshots PICTURE_FOLDER WORK_FOLDER"_s << Qt::endl;
        return 2;
    }
    if (QDir(arguments[2]).exists() && !QDir(arguments[2]).isEmpty()) {
        err << u"the work folder must be new or empty: "_s << arguments[2] << Qt::endl;
        return 2;
    }
    if (!main_window::prepareApplication())
        return 1;
    // A steady text cursor, so that taking the pictures again changes only what changed.
    QApplication::setCursorFlashTime(0);
    try {
        screenshots::Camera camera(arguments[1]);
        screenshots::photographWalkthrough(QDir(arguments[2]).absolutePath(), camera);
        for (const QString& picture : camera.written())
            QTextStream(stdout) << picture << Qt::endl;
        if (!camera.problems().isEmpty()) {
            err << camera.problems().join(u"\n"_s) << Qt::endl;
            return 1;
        }
    } catch (const std::exception& failure) {
        err << QString::fromLocal8Bit(failure.what()) << Qt::endl;
        return 1;
    }
    return 0;
}
