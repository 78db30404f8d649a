#include "LinkTagging.h"

#include "Sheet.h"

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
