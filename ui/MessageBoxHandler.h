// SPDX-License-Identifier: MIT
#pragma once

namespace tessaro {

// Routes every message of the program to a modal box: caption "Tessaro", one OK button, no icon.
void installMessageBoxHandler();

} // namespace tessaro
