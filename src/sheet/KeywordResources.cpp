// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeywordResources.h"

#include <QUrl>

namespace orvanta {

namespace {

// Everything but unreserved characters and the space is encoded, so "&", "#", "+", "%" and "?" search
// for themselves instead of changing the query.
QString encodeKeyword(const QString& keyword)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(keyword, QByteArrayLiteral(" ")));
}

template <typename MakeQuery>
ResourceEntries generate(const QString& keywordText, const QString& titleFormat, const QString& base,
                         MakeQuery makeQuery)
{
    const QStringList keywords = KeywordsFromText(keywordText);
    ResourceEntries entries;
    entries.reserve(keywords.size());
    for (const QString& keyword : keywords) {
        entries.append(
            {QString(titleFormat).replace(KeywordPlaceholder, keyword), base + makeQuery(encodeKeyword(keyword))});
    }
    return entries;
}

} // namespace

QStringList KeywordsFromText(const QString& text)
{
    QStringList keywords;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            keywords.append(line);
    }
    return keywords;
}

ResourceEntries DiscussionResources(const QString& keywordText, const QString& titleFormat)
{
    return generate(keywordText, titleFormat, DiscussionSearchBase, [](const QString& query) { return query; });
}

ResourceEntries VideoResources(const QString& keywordText, const QString& titleFormat)
{
    return generate(keywordText, titleFormat, VideoSearchBase, [](QString query) { return query.replace(u' ', u'+'); });
}

} // namespace orvanta
