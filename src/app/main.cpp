#include "imaging/picture_loading.h"
#include "main_window/main_window.h"
#include "workspace/cp932.h"
#include "workspace/limits.h"
#include "workspace/work_folder.h"
#include "workspace/workspace_paths.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"marutsuke"_s);
    // Named explicitly: left to the default, Qt picks a Latin font and falls back for kanji, and
    // the marks drawn on the sheets need a real bold face.
    QApplication::setFont(QFont(u"Noto Sans CJK JP"_s, 9));

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Japanese), u"qtbase"_s, u"_"_s,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    if (!workspace::cp932::isAvailable()) {
        QMessageBox::critical(nullptr, workspace::applicationTitle(),
                              u"Shift-JIS の文字コード変換が使えないため起動できません。"_s);
        return 1;
    }
    imaging::configureImageReading();

    const workspace::WorkFolderChoice folder =
        workspace::chooseWorkFolder(QCoreApplication::applicationDirPath());
    main_window::MainWindow window{workspace::Workspace(folder.path)};
    window.show();
    if (folder.isFallback)
        QMessageBox::information(
            &window, workspace::applicationTitle(),
            u"プログラムのフォルダに書き込めないため、次のフォルダを作業フォルダとして使います。\n%1"_s
                .arg(workspace::displayPath(folder.path)));
    return application.exec();
}
