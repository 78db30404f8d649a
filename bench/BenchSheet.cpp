// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSheet.h"

orvanta::Sheet BenchSheet(int64_t resources, const QString& fileName)
{
    orvanta::Sheet sheet;
    sheet.headline = QStringLiteral("The Ultimate Marketing Toolkit");
    sheet.subheadline = QStringLiteral("Every link you need, in one place.");
    sheet.fileName = fileName;
    for (int64_t i = 0; i < resources; ++i)
        sheet.resources.append({QStringLiteral("Resource number %1").arg(i),
                                QStringLiteral("https://example.com/resources/%1?ref=sheet").arg(i)});
    return sheet;
}
