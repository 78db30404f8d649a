// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkTagging.h"

#include "sheet/Design.h"
#include "sheet/Sheet.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace orvanta {

namespace {

// QUrlQuery takes "%XX" as already encoded and leaves "+" alone, which servers read as a space; both are meant
// literally here.
QString literalValue(const QString& value)
{
    return QString(value).replace(u'%', QStringLiteral("%25")).replace(u'+', QStringLiteral("%2B"));
}

} // namespace

bool IsWebLink(const QString& url)
{
    const QUrl parsed(url);
    const QString scheme = parsed.scheme().toLower();
    return parsed.isValid() && !parsed.host().isEmpty() && (scheme == u"http" || scheme == u"https");
}

bool IsLinkable(const QString& url)
{
    // Read as a browser reads an href: character references decoded, tabs and line breaks anywhere dropped, and
    // control characters and spaces in front too.
    static const QRegularExpression ignored(QStringLiteral("[\\t\\n\\r]"));
    static const QRegularExpression schemePrefix(QStringLiteral("^[\\x00-\\x20]*([A-Za-z][A-Za-z0-9+.\\-]*):"));
    QString decoded = DecodeCharacterReferences(url);
    const QRegularExpressionMatch scheme = schemePrefix.match(decoded.remove(ignored));
    if (!scheme.hasMatch())
        return true; // relative, as the page's own links are
    const QString name = scheme.captured(1).toLower();
    return name == u"http" || name == u"https" || name == u"mailto" || name == u"tel";
}

QString TaggedUrl(const QString& url, const Sheet& sheet)
{
    if ((sheet.campaignSource.isEmpty() && sheet.campaignMedium.isEmpty() && sheet.campaignName.isEmpty()) ||
        !IsWebLink(url))
        return url;
    // The link is cut as text rather than rebuilt through QUrl, which would re-encode what the user typed.
    const qsizetype hash = url.indexOf(u'#');
    const QString fragment = hash < 0 ? QString() : url.mid(hash);
    const QString beforeFragment = hash < 0 ? url : url.left(hash);
    const qsizetype question = beforeFragment.indexOf(u'?');
    const QUrlQuery existing(question < 0 ? QString() : beforeFragment.mid(question + 1));
    QUrlQuery tags;
    for (const auto& [key, value] : {std::pair{QStringLiteral("utm_source"), sheet.campaignSource},
                                     std::pair{QStringLiteral("utm_medium"), sheet.campaignMedium},
                                     std::pair{QStringLiteral("utm_campaign"), sheet.campaignName}}) {
        if (!value.isEmpty() && !existing.hasQueryItem(key))
            tags.addQueryItem(key, literalValue(value));
    }
    if (tags.isEmpty())
        return url;
    const QChar joint =
        question < 0 ? u'?' : (beforeFragment.endsWith(u'?') || beforeFragment.endsWith(u'&') ? QChar() : u'&');
    QString tagged = beforeFragment;
    if (!joint.isNull())
        tagged += joint;
    return tagged + tags.toString(QUrl::FullyEncoded) + fragment;
}

} // namespace orvanta
