#pragma once

#include "modal_driver.h"

#include <memory>

namespace test_support {

// Like answerMessageBoxes, but waits past other modal dialogs (a progress dialog that closes by
// itself) instead of closing them.
[[nodiscard]] std::shared_ptr<MessageLog> answerMessageBoxesOnly(int count = 1);

} // namespace test_support
