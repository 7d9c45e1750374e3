// SPDX-License-Identifier: MIT
#include "ui/Form_Main.h"
