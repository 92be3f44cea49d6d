#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace test_support {

// Acts on the next modal dialog as soon as it is shown: call before the code that opens it
// (a static QMessageBox or QFileDialog call blocks until the dialog closes).
void onNextModal(std::function<void(QWidget* dialog)> action);

// The texts of the message boxes answered so far by answerMessageBoxes.
struct MessageLog {
    QStringList texts;
};

// Presses the default button of the next `count` message boxes, recording their texts.
[[nodiscard]] std::shared_ptr<MessageLog> answerMessageBoxes(int count = 1);

} // namespace test_support
