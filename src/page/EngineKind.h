// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvanta {

// The programs that can render a page into a PDF. The page's font check depends on which one prints it, and the
// engines below the pipeline are made by this name.
enum class EngineKind { Wkhtmltopdf, Chromium };

} // namespace orvanta
