// SPDX-License-Identifier: GPL-3.0-or-later
#include "UrlPaste.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <memory>
#include <utility>

namespace orvanta {

namespace {

// What was put into `start` to make `text`, wherever the cursor stood; nothing if `text` is not `start` with an insert.
QString inserted(const QString& start, const QString& text)
{
    if (text.size() <= start.size())
        return {};
    for (qsizetype at = start.size(); at >= 0; --at) { // the cursor at the end first, where it stands after setText()
        if (text.startsWith(start.left(at)) && text.endsWith(start.mid(at)))
            return text.mid(at, text.size() - start.size());
    }
    return {};
}

} // namespace

void ReplaceStartOnPaste(QLineEdit& edit, const QString& start)
{
    // Every change counts, so that each way to paste is met alike.
    auto previous = std::make_shared<QString>(edit.text());
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, [previous, start, &edit](const QString& text) {
        static const QRegularExpression scheme(QStringLiteral("^(https?|mailto):"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QString pasted = inserted(start, text).trimmed();
        if (std::exchange(*previous, text) == start && scheme.match(pasted).hasMatch())
            edit.setText(pasted);
    });
}

} // namespace orvanta
