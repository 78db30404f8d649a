// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintedText.h"

#include "sheet/Sheet.h"

#include <QList>
#include <QRegularExpression>
#include <QUrl>

namespace orvanta {

namespace {

constexpr qsizetype MaxAddressLength = 50;

} // namespace

QString PrintedAddress(const QString& url)
{
    const QUrl parsed(url.trimmed());
    QString address = parsed.host();
    if (parsed.port() >= 0)
        address += u':' + QString::number(parsed.port());
    address += parsed.path();
    if (address.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        address.remove(0, 4);
    if (address.endsWith(u'/'))
        address.chop(1);
    if (address.size() > MaxAddressLength) {
        qsizetype cut = MaxAddressLength - 1;
        if (address.at(cut - 1).isHighSurrogate())
            --cut;
        address = address.left(cut) + QChar(0x2026);
    }
    return address.toHtmlEscaped();
}

QString WithoutLoneLastWord(const QString& headline)
{
    // The places of the headline's text characters, outside tags.
    QList<qsizetype> text;
    for (qsizetype i = 0; i < headline.size(); ++i) {
        if (headline.at(i) == u'<') {
            const qsizetype end = headline.indexOf(u'>', i);
            if (end < 0)
                break;
            i = end;
            continue;
        }
        text.append(i);
    }
    const auto isSpace = [&](qsizetype k) { return headline.at(text.at(k)).isSpace(); };
    qsizetype k = text.size() - 1;
    while (k >= 0 && isSpace(k)) // spaces after the last word
        --k;
    while (k >= 0 && !isSpace(k)) // the last word
        --k;
    const qsizetype gapEnd = k;
    while (k >= 0 && isSpace(k))
        --k;
    if (k < 0) // one word, or none
        return headline;
    // Words either side of a line break are on lines of their own already.
    static const QRegularExpression lineBreak(QStringLiteral("<\\s*br\\b"), QRegularExpression::CaseInsensitiveOption);
    if (lineBreak.match(headline.mid(text.at(k) + 1, text.at(gapEnd + 1) - text.at(k) - 1)).hasMatch())
        return headline;
    // Spaces on both sides of a tag stay as typed: only spaces side by side become one.
    const qsizetype from = text.at(k + 1);
    const qsizetype length = text.at(gapEnd) - from + 1;
    if (length != gapEnd - k)
        return headline;
    return QString(headline).replace(from, length, QChar(0x00A0));
}

std::optional<QString> NoteBelow(const Sheet& sheet, const ResourceEntry& entry)
{
    if (!entry.description.isEmpty())
        return entry.description.toHtmlEscaped().replace(u'#', QStringLiteral("&#35;"));
    if (sheet.noteBelowEachResource)
        return sheet.note;
    return std::nullopt;
}

} // namespace orvanta
