// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace orvanta {

// A page printed by Chromium makes each item's tick box a link to itself, so that the PDF has a link annotation with
// the box's rectangle on the box's page, which the PDF's post-processing turns into a check box field. The link's
// fragment names the item: "check-N-TEXT", its number and its text as plain text, percent-encoded.
QString CheckBoxFragment(qsizetype item, const QString& text);

// The item's text, decoded, from such a fragment, or nothing when it is not one.
std::optional<QString> CheckBoxText(const QByteArray& fragment);

} // namespace orvanta
