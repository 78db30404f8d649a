// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/Sheet.h"

#include <cstdint>

// The sheet the benchmarks measure: a marketing headline and `resources` numbered links.
orvanta::Sheet BenchSheet(int64_t resources, const QString& fileName = QStringLiteral("bench"));
