// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspace_paths.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

namespace test_support {

// A fresh, empty work folder that disappears with the object.
class TemporaryWorkspace {
public:
    TemporaryWorkspace();

    [[nodiscard]] const workspace::Workspace& workspace() const { return m_workspace; }
    [[nodiscard]] QString path(const QString& relative) const;

    // Writes raw bytes to a file relative to the work folder, creating its folder.
    void writeBytes(const QString& relative, const QByteArray& bytes) const;
    [[nodiscard]] QByteArray readBytes(const QString& relative) const;
    [[nodiscard]] bool exists(const QString& relative) const;

    // Writes a picture file relative to the work folder: JPEG for .jpg and .jpeg, PNG for .png,
    // BMP for any other name.
    void writeImage(const QString& relative, const QImage& image) const;
    // Writes touan/NNN.bmp for sheets 1 … count, each a solid picture of the given size.
    void writeSheets(int count, QSize size, QColor color = Qt::white) const;

private:
    QTemporaryDir m_folder;
    workspace::Workspace m_workspace;
};

// A solid picture in 32-bit RGB.
[[nodiscard]] QImage solidImage(QSize size, QColor color);

} // namespace test_support
