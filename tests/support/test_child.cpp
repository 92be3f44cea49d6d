// SPDX-License-Identifier: GPL-3.0-or-later
// A program that tests start as a child process and kill in the middle of its work:
//   test_child lock FOLDER             holds the work folder's lock
//   test_child grade FOLDER DUMP STEP  grades in the real grading window up to STEP
//                                      ("bulk" or "all") and saves the tables it shows to DUMP
// Once there it prints "ready" and waits to be killed.
#include "grading/grading_window.h"
#include "grading/grid_canvas.h"
#include "grading/open_grading.h"
#include "grading/score_palette.h"
#include "workspace/work_folder_lock.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QWidget* control(const QWidget* window, const QString& name, int index)
{
    for (QWidget* candidate : window->findChildren<QWidget*>(name))
        if (candidate->property("index").toInt() == index)
            return candidate;
    std::fprintf(stderr, "no control %s %d\n", qPrintable(name), index);
    std::exit(3);
}

int ready()
{
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}

void grade(grading::GradingWindow& window, const QString& step)
{
    QWidget* canvas = window.canvas();
    const auto clickAnswer = [&](int index) {
        QTest::mouseClick(control(&window, u"picKaitou"_s, index), Qt::LeftButton);
    };
    QTest::mouseClick(control(&window, u"Label1"_s, 0), Qt::LeftButton);
    for (int index : {0, 1, 2, 3})
        clickAnswer(index);
    QTest::keyClick(canvas, Qt::Key_F3);
    if (step == u"bulk")
        return;

    QTest::keyClicks(control(&window, u"txtPoint"_s, 4), u"4.5"_s);
    clickAnswer(1);
    window.scorePalette()->commentPreset()->setText(u"途中式, 良し〜"_s);
    QTest::mouseClick(window.scorePalette()->commentButton(), Qt::LeftButton);

    QTest::mouseClick(control(&window, u"Label1"_s, 1), Qt::LeftButton);
    QTest::mouseClick(
        window.findChild<QWidget*>(u"Picture3"_s)->findChild<QPushButton*>(u"Command2"_s),
        Qt::LeftButton);
    QTest::keyClick(canvas, Qt::Key_F6);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    clickAnswer(0);
    clickAnswer(2);
    QTest::keyClick(canvas, Qt::Key_F2);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClicks(control(&window, u"txtPoint"_s, 3), u"3"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == u"lock") {
        const workspace::WorkFolderLock lock(arguments[2]);
        if (!lock.isHeld())
            return 2;
        return ready();
    }
    if (arguments.size() != 5 || arguments[1] != u"grade")
        return 2;
    const workspace::Workspace workspace(arguments[2]);
    grading::GradingWindow* window = grading::openGradingWindow(workspace, nullptr);
    if (!window)
        return 2;
    window->activateWindow(); // shortcuts reach the active window only
    if (!QTest::qWaitForWindowActive(window))
        return 2;
    grade(*window, arguments[4]);
    const workspace::Workspace dump(arguments[3]);
    QDir().mkpath(dump.path(workspace::paths::dataFolder()));
    if (!window->state().tables().save(dump))
        return 2;
    return ready();
}
