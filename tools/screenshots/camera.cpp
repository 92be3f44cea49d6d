#include "camera.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace screenshots {

namespace {

// Time for the X server to map new windows and for Qt to draw them.
constexpr int kSettleMilliseconds = 400;
// The PNG writer's quality 0 is its strongest compression: smaller files in the repository.
constexpr int kSmallestPng = 0;

} // namespace

Camera::Camera(QString folder)
    : m_folder(std::move(folder))
{
    QDir().mkpath(m_folder);
}

void Camera::shoot(const QString& name)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !QTest::qWaitForWindowExposed(window))
            throw std::runtime_error("a window was not shown on the screen");
    QTest::qWait(kSettleMilliseconds);
    save(name, QGuiApplication::primaryScreen()->grabWindow(0).toImage());
}

void Camera::save(const QString& name, const QImage& picture)
{
    const QString path = QDir(m_folder).filePath(name + u".png"_s);
    if (picture.isNull() || !picture.save(path, "PNG", kSmallestPng))
        throw std::runtime_error("cannot write " + path.toStdString());
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
