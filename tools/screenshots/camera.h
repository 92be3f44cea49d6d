#pragma once

#include <QString>
#include <QStringList>

class QImage;

namespace screenshots {

// Takes pictures of the whole screen into a folder as PNG files, once the windows on it have
// been drawn. Dialogs are photographed as they appear, under the names queued for them.
class Camera {
public:
    explicit Camera(QString folder);

    void shoot(const QString& name);
    // The next dialogs that appear are photographed under these names, in order.
    void expectDialogs(const QStringList& names);
    // Called as each dialog appears.
    void dialogShown();
    // Saves a picture that is not of the screen.
    void save(const QString& name, const QImage& picture);

    [[nodiscard]] const QStringList& written() const { return m_written; }

private:
    QString m_folder;
    QStringList m_dialogNames;
    QStringList m_written;
};

} // namespace screenshots
