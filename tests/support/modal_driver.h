// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace test_support {

// Acts on the next modal dialog as soon as it is shown: call before the code that opens it
// (a static QMessageBox or QFileDialog call blocks until the dialog closes).
void onNextModal(std::function<void(QWidget* dialog)> action);

// Presses the default button of the next message boxes as they appear and keeps their texts.
// Other modal windows (a progress dialog that closes by itself) are left alone. It stops after
// `count` boxes or when the log is destroyed, so it never answers a later test's boxes.
class MessageLog {
public:
    explicit MessageLog(int count);

    QStringList texts;

private:
    QTimer m_timer;
    int m_remaining = 0;
};

[[nodiscard]] std::shared_ptr<MessageLog> answerMessageBoxes(int count = 1);

} // namespace test_support
