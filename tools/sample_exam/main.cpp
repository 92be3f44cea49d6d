// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_exam/sample_writer.h"
#include "workspace/sample_location.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

// marutsuke-sample [--pdf] [--feeder] WORK_FOLDER [STUDENTS]: makes the sample examination in
// the work folder, once, and says where it is. With --pdf its scans are one PDF, as a copier
// makes them; with --feeder they went through a careless document feeder, which shifted and
// turned every sheet and took the fifth one upside down.
int main(int argc, char* argv[])
{
    // Drawing needs the font database of a GUI application, but no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList arguments = QGuiApplication::arguments();
    const sample_exam::ScanFiles scanFiles = arguments.removeAll(u"--pdf"_s) > 0
                                                 ? sample_exam::ScanFiles::Pdf
                                                 : sample_exam::ScanFiles::Jpeg;
    const sample_exam::Feeding feeding = arguments.removeAll(u"--feeder"_s) > 0
                                             ? sample_exam::Feeding::CarelessFeeder
                                             : sample_exam::Feeding::Flatbed;
    bool sizeIsNumber = true;
    const int classSize = arguments.size() > 2 ? arguments[2].toInt(&sizeIsNumber)
                                               : sample_exam::SampleClass::kFullSize;
    if (arguments.size() < 2 || arguments.size() > 3 || !sizeIsNumber || classSize < 1
        || classSize > sample_exam::SampleClass::kFullSize) {
        err << u"使い方: marutsuke-sample [--pdf] [--feeder] 作業フォルダ [人数 1〜30]"_s
            << Qt::endl;
        return 2;
    }

    const QDir work(arguments[1]);
    const workspace::Expected<sample_exam::SampleOutcome> outcome =
        sample_exam::makeSampleExam(work.absolutePath(), classSize, scanFiles, feeding);
    if (!outcome) {
        err << outcome.error() << Qt::endl;
        return 1;
    }
    const QString folder =
        QDir::toNativeSeparators(work.absoluteFilePath(workspace::paths::sampleFolder()));
    out << (*outcome == sample_exam::SampleOutcome::Created ? u"サンプルの試験を作りました: "_s
                                                            : u"サンプルの試験: "_s)
        << folder << Qt::endl
        << u"  答案: "_s
        << QDir::toNativeSeparators(work.absoluteFilePath(workspace::paths::sampleScans()))
        << u"（1.答案読込で選ぶフォルダ）"_s << Qt::endl
        << u"  名簿: "_s
        << QDir::toNativeSeparators(work.absoluteFilePath(workspace::paths::sampleRoster()))
        << u"（名簿割り当ての「名簿読み込み」で開くファイル）"_s << Qt::endl;
    return 0;
}
