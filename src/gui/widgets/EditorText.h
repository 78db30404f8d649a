// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

namespace orvanta {

// The editor's text with plain line breaks; unlike toPlainText() it keeps non-breaking spaces.
inline QString editorText(const QPlainTextEdit& editor)
{
    QString text = editor.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

} // namespace orvanta
