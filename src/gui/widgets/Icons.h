// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace orvanta::icons {

QIcon document(); // green page: the content page
QIcon wand();     // red magic wand: the create page
QIcon app();      // the window and launcher icon

} // namespace orvanta::icons
