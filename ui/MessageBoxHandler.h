// SPDX-License-Identifier: MIT
#pragma once

namespace tessaro {

// Routes every message of the program to a modal box: caption "Tessaro", one OK button, no icon,
// the detail as informative text, both as plain text; and every question to one with the buttons
// Yes and No, No the default.
void installMessageBoxHandler();

} // namespace tessaro
