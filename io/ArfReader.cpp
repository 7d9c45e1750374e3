// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"
