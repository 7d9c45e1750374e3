// SPDX-License-Identifier: MIT
#include "io/ArfWriter.h"
