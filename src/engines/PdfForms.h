// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPDF;

namespace orvanta {

// Turns each link a page made for Chromium on an item's tick box (CheckBoxFragment) into a check box field in its
// place: named after the item, unticked, with appearances of its own for both states, and tagged as a form in the
// structure tree. The links' named destinations go. Returns whether the PDF had any such link.
bool AddCheckBoxes(QPDF& pdf);

} // namespace orvanta
