// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckBoxLink.h"

#include "sheet/Design.h"

#include <QRegularExpression>
#include <QUrl>

namespace orvanta {

QString CheckBoxFragment(qsizetype item, const QString& text)
{
    // Only letters, digits and "-._~" are left, so the fragment is a whole attribute value and fills no placeholder.
    return QStringLiteral("check-%1-").arg(item) + QString::fromLatin1(QUrl::toPercentEncoding(PlainTitle(text)));
}

std::optional<QString> CheckBoxText(const QByteArray& fragment)
{
    static const QRegularExpression checkBox(QStringLiteral("^check-\\d+-(.*)$"));
    const QRegularExpressionMatch match = checkBox.match(QString::fromLatin1(fragment));
    if (!match.hasMatch())
        return std::nullopt;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(match.captured(1).toLatin1()));
}

} // namespace orvanta
