// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace widgets {

// Shows the busy mouse pointer for as long as it lives.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace widgets
