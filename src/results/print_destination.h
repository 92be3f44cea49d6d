// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QPrinter;

namespace results {

// Where the print jobs go: the system's default printer, or (for checking the output) one PDF
// file per job in a folder.
class PrintDestination {
public:
    [[nodiscard]] static PrintDestination defaultPrinter();
    // Job n is written to folder/n.pdf with n counted from 1.
    [[nodiscard]] static PrintDestination pdfFiles(QString folder);

    // False when there is no default printer; Qt would then quietly turn the job into a PDF
    // without a file name and print nothing.
    [[nodiscard]] bool isAvailable() const;

    // A printer for the next job; nothing when the destination is not available.
    [[nodiscard]] std::unique_ptr<QPrinter> newJob(const QString& jobName);

private:
    QString m_pdfFolder;
    int m_jobCount = 0;
};

} // namespace results
