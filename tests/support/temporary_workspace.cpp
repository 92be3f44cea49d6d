// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace test_support {

TemporaryWorkspace::TemporaryWorkspace()
    : m_workspace(m_folder.path())
{
    if (!m_folder.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TemporaryWorkspace::path(const QString& relative) const
{
    return m_workspace.path(relative);
}

void TemporaryWorkspace::writeBytes(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TemporaryWorkspace::readBytes(const QString& relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TemporaryWorkspace::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

void TemporaryWorkspace::writeImage(const QString& relative, const QImage& image) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    const QString suffix = QFileInfo(full).suffix().toLower();
    const QByteArray format = suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")
                                  ? "JPEG"
                              : suffix == QStringLiteral("png") ? "PNG"
                                                                : "BMP";
    if (!image.save(full, format.constData()))
        throw std::runtime_error("cannot write test image");
}

void TemporaryWorkspace::writeSheets(int count, QSize size, QColor color) const
{
    const QImage sheet = solidImage(size, color);
    for (int number = 1; number <= count; ++number)
        writeImage(workspace::paths::sheetImage(number), sheet);
}

QImage solidImage(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace test_support
