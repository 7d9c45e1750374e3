// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"

namespace tessaro {

Module_Common &common() {
    static Module_Common instance;
    return instance;
}

SectionAsLoaded &sectionAsLoaded() {
    static SectionAsLoaded instance;
    return instance;
}

SectionAsLoaded sectionOf(const Module_Common &ws) {
    return SectionAsLoaded{ws.N, ws.X, ws.Y};
}

void startUpCommon() {
    common().Pi = 4.0 * std::atan(1.0);
}

void resetCommon() {
    common() = Module_Common{};
    sectionAsLoaded() = SectionAsLoaded{};
    startUpCommon();
}

} // namespace tessaro
