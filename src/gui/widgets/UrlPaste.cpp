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
    for (qsizetype at = 0; at <= start.size(); ++at) {
        if (text.startsWith(start.left(at)) && text.endsWith(start.mid(at)))
            return text.mid(at, text.size() - start.size());
    }
    return {};
}

} // namespace

void ReplaceStartOnPaste(QLineEdit& edit, const QString& start)
{
    // The text before the last change and after it: textChanged and textEdited come in either order.
    struct Texts {
        QString before;
        QString now;
    };
    auto texts = std::make_shared<Texts>(Texts{{}, edit.text()});
    QObject::connect(&edit, &QLineEdit::textChanged, &edit,
                     [texts](const QString& text) { texts->before = std::exchange(texts->now, text); });
    QObject::connect(&edit, &QLineEdit::textEdited, &edit, [texts, start, &edit](const QString& text) {
        static const QRegularExpression scheme(QStringLiteral("^(https?|mailto):"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QString previous = texts->now == text ? texts->before : texts->now;
        const QString pasted = inserted(start, text).trimmed();
        if (previous == start && scheme.match(pasted).hasMatch())
            edit.setText(pasted);
    });
}

} // namespace orvanta
