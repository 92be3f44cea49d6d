// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace screenshots {

namespace {

// Time for the X server to map new windows and for Qt to draw them.
constexpr int kSettleMilliseconds = 400;
// A busy machine may take a while to map a window.
constexpr int kExposeMilliseconds = 20000;
// The PNG writer's quality 0 is its strongest compression: smaller files in the repository.
constexpr int kSmallestPng = 0;

} // namespace

Camera::Camera(const QString& folder)
    // The program makes its work folder the current one: a relative path would move with it.
    : m_folder(QDir(folder).absolutePath())
{
    QDir().mkpath(m_folder);
}

void Camera::shoot(const QString& name)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !QTest::qWaitForWindowExposed(window, kExposeMilliseconds))
            m_problems.append(
                u"%1: the window %2 was not on the screen"_s.arg(name, window->objectName()));
    QTest::qWait(kSettleMilliseconds);
    save(name, QGuiApplication::primaryScreen()->grabWindow(0).toImage());
}

void Camera::save(const QString& name, const QImage& picture)
{
    const QString path = QDir(m_folder).filePath(name + u".png"_s);
    if (picture.isNull() || !picture.save(path, "PNG", kSmallestPng)) {
        m_problems.append(u"cannot write "_s + path);
        return;
    }
    m_written.append(path);
}

void Camera::expectDialogs(const QStringList& names)
{
    m_dialogNames += names;
}

void Camera::dialogShown()
{
    if (!m_dialogNames.isEmpty())
        shoot(m_dialogNames.takeFirst());
}

} // namespace screenshots
