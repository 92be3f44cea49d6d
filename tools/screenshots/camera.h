// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QImage;

namespace screenshots {

// Takes pictures of the whole screen into a folder as PNG files, once the windows on it have
// been drawn. Dialogs are photographed as they appear, under the names queued for them. It
// throws nothing, since it works inside the dialogs' event handling: what went wrong is kept.
class Camera {
public:
    explicit Camera(const QString& folder);

    void shoot(const QString& name);
    // The next dialogs that appear are photographed under these names, in order.
    void expectDialogs(const QStringList& names);
    // Called as each dialog appears.
    void dialogShown();
    // Saves a picture that is not of the screen.
    void save(const QString& name, const QImage& picture);

    [[nodiscard]] const QStringList& written() const { return m_written; }
    [[nodiscard]] const QStringList& problems() const { return m_problems; }

private:
    QString m_folder;
    QStringList m_dialogNames;
    QStringList m_written;
    QStringList m_problems;
};

} // namespace screenshots
