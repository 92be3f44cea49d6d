// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace workspace {

// A sheet or region number as it stands in file and folder names: three digits with leading
// zeros, numbers of 1000 and more in full ("007", "042", "1000").
[[nodiscard]] QString numberText(int number);

// Names relative to the work folder, with the platform's separator.
namespace paths {
[[nodiscard]] QString sheetFolder();                      // touan
[[nodiscard]] QString sheetImage(int sheet);              // touan/NNN.bmp
[[nodiscard]] QString cutoutRoot();                       // furiwake
[[nodiscard]] QString cutoutFolder(int region);           // furiwake/RRR
[[nodiscard]] QString cutoutImage(int region, int sheet); // furiwake/RRR/SSS.bmp
[[nodiscard]] QString markedFolder();                     // hyouka
[[nodiscard]] QString markedSheet(int sheet);             // hyouka/NNN.bmp
[[nodiscard]] QString pdfFolder();                        // pdf
[[nodiscard]] QString dataFolder();                       // ini
[[nodiscard]] QString regionFile();                       // ini/zahyo.txt
[[nodiscard]] QString scoreFile();                        // ini/haiten.txt
[[nodiscard]] QString commentFile();                      // ini/comment.txt
[[nodiscard]] QString rosterFile();                       // ini/meibo.txt
[[nodiscard]] QString viewpointFile();                    // ini/kanten.txt
[[nodiscard]] QString gradeThresholdFile();               // ini/kanten_kijun.txt
[[nodiscard]] QString journalFile();                      // ini/kiroku.txt
[[nodiscard]] QString gradeTable();                       // seiseki.csv
[[nodiscard]] QString statisticsTable();                  // toukei.csv
[[nodiscard]] QString viewpointTable();                   // kanten.csv
[[nodiscard]] QString undoOld();                          // undo_old.bmp
[[nodiscard]] QString undoNew();                          // undo_new.bmp
[[nodiscard]] QString workFolderLock();                   // marutsuke.lock
[[nodiscard]] QString preferencesFile();                  // settei.txt
} // namespace paths

// One examination's working tree under the work folder. Every step reaches its files through
// here as absolute paths, so none depends on the process's current directory.
class Workspace {
public:
    // root must be absolute: a relative one would make every path depend on the current directory.
    explicit Workspace(QString root);

    const QString& root() const { return m_root; }

    // The absolute path of a name relative to the work folder.
    [[nodiscard]] QString path(const QString& relative) const;

    // Length of the unbroken run touan/001.bmp, touan/002.bmp, … that exists.
    [[nodiscard]] int sheetCount() const;

private:
    QString m_root;
};

// The path as the teacher should read it in a message.
[[nodiscard]] QString displayPath(const QString& path);

} // namespace workspace
