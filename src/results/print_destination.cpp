// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_destination.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::Literals::StringLiterals;

namespace results {

PrintDestination PrintDestination::defaultPrinter()
{
    return {};
}

PrintDestination PrintDestination::pdfFiles(QString folder)
{
    PrintDestination destination;
    destination.m_pdfFolder = std::move(folder);
    return destination;
}

bool PrintDestination::isAvailable() const
{
    return !m_pdfFolder.isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
}

std::unique_ptr<QPrinter> PrintDestination::newJob(const QString& jobName)
{
    std::unique_ptr<QPrinter> printer;
    if (!m_pdfFolder.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(
            QDir(m_pdfFolder).filePath(u"%1.pdf"_s.arg(QString::number(m_jobCount + 1))));
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat)
            return nullptr;
    }
    ++m_jobCount;
    printer->setDocName(jobName);
    return printer;
}

} // namespace results
