// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"

namespace tessaro {

Module_Common &common() {
    static Module_Common instance;
    return instance;
}

void startUpCommon() {
    common().Pi = 4.0 * std::atan(1.0);
}

void resetCommon() {
    common() = Module_Common{};
    startUpCommon();
}

} // namespace tessaro
