// SPDX-License-Identifier: MIT
#include "numerics/Module_DistrAlongTeta.h"
