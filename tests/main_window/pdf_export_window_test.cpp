// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/main_window.h"
#include "modal_driver.h"
#include "temporary_workspace.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using main_window::MainWindow;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

// Receives the folder instead of the desktop.
class OpenedFolders : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

QStringList pdfFiles(const TemporaryWorkspace& folder)
{
    return QDir(folder.path(paths::pdfFolder())).entryList(QDir::Files, QDir::Name);
}

void clickPdf(MainWindow& window)
{
    window.findChild<QPushButton*>(u"cmdPdf"_s)->click();
}

} // namespace

TEST(PdfExportWindow, WithoutMarkedSheetsItSaysThatResultsComeFirst)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {40, 60});
    MainWindow window(folder.workspace());

    const auto messages = test_support::answerMessageBoxes();
    clickPdf(window);

    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"「6.採点実行」"_s))
        << messages->texts[0].toStdString();
    EXPECT_FALSE(folder.exists(paths::pdfFolder()));
}

TEST(PdfExportWindow, AsksBeforeEmptyingTheFolderThenOffersToOpenIt)
{
    TemporaryWorkspace folder;
    for (int sheet = 1; sheet <= 2; ++sheet)
        folder.writeImage(paths::markedSheet(sheet), test_support::solidImage({40, 60}, Qt::red));
    folder.writeBytes(paths::pdfFolder() + u"/前回.pdf"_s, "old");
    MainWindow window(folder.workspace());
    const QString shownFolder = QDir::toNativeSeparators(folder.path(paths::pdfFolder()));

    QString question;
    test_support::onNextModal([&question](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        question = box->text();
        box->button(QMessageBox::No)->click();
    });
    clickPdf(window);
    EXPECT_TRUE(question.contains(shownFolder)) << question.toStdString();
    EXPECT_TRUE(question.contains(u"1個のファイル"_s)) << question.toStdString();
    EXPECT_EQ(pdfFiles(folder), QStringList{u"前回.pdf"_s}) << "no: nothing happens";

    OpenedFolders opened;
    QDesktopServices::setUrlHandler(u"file"_s, &opened, "open");
    auto messages = test_support::answerMessageBoxes(2);
    clickPdf(window);
    QDesktopServices::unsetUrlHandler(u"file"_s);
    ASSERT_EQ(messages->texts.size(), 2);
    EXPECT_EQ(messages->texts[1], u"3個のPDFファイルを保存しました。\nフォルダ: "_s + shownFolder);
    EXPECT_EQ(pdfFiles(folder), (QStringList{u"001.pdf"_s, u"002.pdf"_s, u"全員.pdf"_s}));
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(folder.path(paths::pdfFolder()))});

    // Offscreen there is no desktop to open the folder: the teacher is told where it is.
    messages = test_support::answerMessageBoxes(3);
    clickPdf(window);
    ASSERT_EQ(messages->texts.size(), 3);
    EXPECT_TRUE(messages->texts[2].contains(shownFolder)) << messages->texts[2].toStdString();
}

#include "pdf_export_window_test.moc"
