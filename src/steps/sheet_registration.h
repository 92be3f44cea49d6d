// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/sheet_alignment.h"
#include "workspace/expected.h"
#include "workspace/workspace_paths.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace steps {

// What registering the imported sheets did, for the teacher.
struct RegistrationOutcome {
    // Why no sheet was moved although there were sheets to register (sheet 1 shows no form, or
    // most sheets do not match it); empty otherwise.
    QString refused;
    // The sheets moved by more than a millimetre or turned upside down, and how, in sheet order:
    // "003.bmp　右に2.1mm、下に4.0mm、0.8°回転".
    QStringList moved;
    // The sheets left as scanned because they could not be matched to sheet 1, in sheet order.
    QStringList unregistered;
    // The sheets whose registered copy could not be written (a full disk), with the reason; each
    // is left as scanned.
    QStringList notStored;
};

// How a sheet lies against sheet 1, and whether it must be redrawn to line up with it.
struct SheetFit {
    imaging::SheetAlignment alignment;
    bool needsMove = false;
};

// The words of a sheet's move: "右に2.1mm、下に4.0mm、0.8°回転", "上下を反転、…". The shift
// is that of the page's centre, in the millimetres of the given resolution.
[[nodiscard]] QString describeMove(const QTransform& referenceToScan, bool upsideDown, QSize page,
                                   double dotsPerInch);

// The one message that tells the teacher about the registration; empty when there is nothing to
// tell.
[[nodiscard]] QString registrationMessage(const RegistrationOutcome& outcome);

// Registers every imported sheet to sheet 1, the first sheet kept, so that a region drawn on one
// sheet cuts the same part of the form from every sheet. Sheet 1 is never moved. In two passes,
// each safe to run on several threads at once for different sheets: check() estimates where
// each other sheet lies, then, unless most sheets fail to match sheet 1 (which means sheet 1 is
// the odd one out), move() redraws the sheets that lie off by more than half a pixel in place.
// A sheet that cannot be matched confidently is left exactly as it was scanned.
class SheetRegistration {
public:
    SheetRegistration(workspace::Workspace workspace, int sheetCount);

    // Reads sheet 1 and takes its printed form as the reference.
    [[nodiscard]] workspace::Status prepare();
    // The same from sheet 1's stored bytes.
    [[nodiscard]] workspace::Status prepareFrom(QByteArrayView sheetOne);
    // How the sheet of these BMP bytes lies against sheet 1, or nothing when they are no BMP a
    // sheet is stored as. Reads and writes nothing; safe on several threads at once.
    [[nodiscard]] std::optional<SheetFit> fit(QByteArrayView bmp) const;
    // The BMP of the sheet redrawn onto sheet 1's page as the fit says.
    [[nodiscard]] QByteArray redrawn(QByteArrayView bmp, const SheetFit& fit) const;
    // For an import that fits each sheet before storing it, in place of check(): the number of
    // sheets it stored, then what it found of each sheet `number` (2 …).
    void setSheetCount(int sheetCount);
    void adopt(int number, const SheetFit& fit);
    // Whether decide() moves sheet `number`.
    [[nodiscard]] bool moves(int number) const;

    // The sheets to check: every sheet but the first.
    [[nodiscard]] int checkCount() const;
    // Estimates where sheet index + 2 lies against sheet 1; reads it and writes nothing.
    [[nodiscard]] workspace::Status check(int index);

    // Decides from every check which sheets move.
    void decide(const QList<workspace::Status>& checks);
    [[nodiscard]] int moveCount() const { return static_cast<int>(m_toMove.size()); }
    // Redraws the index-th sheet to move onto sheet 1's page.
    [[nodiscard]] workspace::Status move(int index);

    [[nodiscard]] RegistrationOutcome finish(const QList<workspace::Status>& moves);

private:
    struct Sheet {
        SheetFit fit;
        QString unreadable;
    };

    [[nodiscard]] QString sheetPath(int number) const;

    workspace::Workspace m_workspace;
    int m_sheetCount = 0;
    imaging::AlignmentReference m_reference;
    double m_referenceDotsPerInch = 200;
    // Index 0 is sheet 2.
    std::vector<Sheet> m_sheets;
    std::vector<int> m_toMove;
    QString m_refused;
    // No sheet shows a form: there is nothing to say.
    bool m_quiet = false;
};

} // namespace steps
