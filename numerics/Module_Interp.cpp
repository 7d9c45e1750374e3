// SPDX-License-Identifier: MIT
#include "numerics/Module_Interp.h"
