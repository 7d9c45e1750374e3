// SPDX-License-Identifier: MIT
#include "numerics/Calculation.h"
