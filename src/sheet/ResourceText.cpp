// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceText.h"

#include <QRegularExpression>
#include <algorithm>

namespace orvanta {

namespace {

bool looksLikeUrl(const QString& text)
{
    static const QRegularExpression url(QStringLiteral(R"(^([A-Za-z][A-Za-z0-9+.\-]*:|www\.)\S+$)"));
    return url.match(text).hasMatch();
}

// The text may hold anything but NUL and broken surrogate pairs, which no file or page would keep.
bool keepable(QStringView text)
{
    return text.isValidUtf16() && !text.contains(QChar(u'\0'));
}

// "## Title", as a Markdown heading of the second level; a title of spaces alone is none.
std::optional<ResourceEntry> fromHeading(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(HeadingMarker) || trimmed.size() == HeadingMarker.size())
        return {};
    return HeadingEntry(trimmed.sliced(HeadingMarker.size()).trimmed());
}

std::optional<ResourceEntry> fromTabs(const QString& line)
{
    QStringList fields = line.split(u'\t');
    while (fields.size() > 2 && fields.constLast().isEmpty())
        fields.removeLast(); // the empty cells a spreadsheet copies after the last filled one
    if (fields.size() > 3 || fields.at(0).isEmpty() || fields.at(1).isEmpty())
        return {};
    return ResourceEntry{fields.at(0), fields.at(1), false, fields.value(2)};
}

std::optional<ResourceEntry> fromMarkdown(const QString& line)
{
    static const QRegularExpression link(QStringLiteral(R"(^\s*(?:[-*+]\s+|\d+[.)]\s+)?\[(.+)\]\((\S+)\)\s*$)"));
    const QRegularExpressionMatch match = link.match(line);
    if (!match.hasMatch() || match.captured(1).contains(QStringLiteral("](")))
        return {}; // two links on one line are not one
    return ResourceEntry{match.captured(1), match.captured(2)};
}

std::optional<ResourceEntry> fromSeparator(const QString& line)
{
    for (qsizetype at = line.lastIndexOf(EntrySeparator); at > 0; at = line.lastIndexOf(EntrySeparator, at - 1)) {
        const QString url = line.mid(at + EntrySeparator.size());
        if (looksLikeUrl(url))
            return ResourceEntry{line.left(at), url};
    }
    return {};
}

std::optional<ResourceEntry> fromBareUrl(const QString& line)
{
    static const QRegularExpression url(QStringLiteral(R"(^\s*(https?)://(\S+)\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = url.match(line);
    if (!match.hasMatch())
        return {};
    return ResourceEntry{match.captured(2), line.trimmed()};
}

// The fields of the CSV record that starts at `at`, which is moved past it.
QStringList csvRecord(const QString& text, qsizetype& at, int& lines)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (quoted) {
            if (QStringView(text).sliced(at).startsWith(u"\"\"")) {
                fields.last() += u'"';
                ++at;
            } else if (c == u'"') {
                quoted = false;
            } else {
                lines += c == u'\n' ? 1 : 0;
                fields.last() += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.append(QString());
        } else if (c == u'\n') {
            ++at;
            ++lines;
            break;
        } else if (c != u'\r') {
            fields.last() += c;
        }
    }
    return fields;
}

} // namespace

ReadResources ResourcesFromLines(const QString& text)
{
    ReadResources read;
    const QStringList lines = text.split(u'\n');
    for (int number = 1; number <= lines.size(); ++number) {
        QString line = lines.at(number - 1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        std::optional<ResourceEntry> entry;
        if (keepable(line)) {
            if (line.contains(u'\t'))
                entry = fromTabs(line);
            else if (!(entry = fromHeading(line)) && !(entry = fromMarkdown(line)) && !(entry = fromSeparator(line)))
                entry = fromBareUrl(line);
        }
        if (entry)
            read.entries.append(*entry);
        else
            read.skippedLines.append(number);
    }
    return read;
}

ReadResources ResourcesFromCsv(const QString& text)
{
    ReadResources read;
    int line = 1;
    for (qsizetype at = 0; at < text.size();) {
        const int start = line;
        QStringList fields = csvRecord(text, at, line);
        if (fields.join(QString()).trimmed().isEmpty())
            continue;
        static const QStringList header{QStringLiteral("text"), QStringLiteral("url"), QStringLiteral("description")};
        if (start == 1 && fields.size() >= 2 && fields.size() <= 3 &&
            std::ranges::equal(fields, header.first(fields.size()), [](const QString& field, const QString& name) {
                return field.trimmed().compare(name, Qt::CaseInsensitive) == 0;
            }))
            continue; // the header
        std::optional<ResourceEntry> heading;
        if ((fields.size() == 2 || fields.size() == 3) && !fields.at(0).isEmpty() && !fields.at(1).isEmpty() &&
            keepable(fields.join(u',')))
            read.entries.append({fields.at(0), fields.at(1), false, fields.value(2)});
        else if (fields.size() == 1 && keepable(fields.at(0)) && (heading = fromHeading(fields.at(0))))
            read.entries.append(*heading);
        else
            read.skippedLines.append(start);
    }
    return read;
}

QString ResourcesToLines(const ResourceEntries& entries)
{
    // A tab or line break inside a field (a CSV file can bring one in) would split it: it becomes a space.
    static const QRegularExpression separators(QStringLiteral("[\t\r\n]"));
    QStringList lines;
    for (const ResourceEntry& entry : entries) {
        const QString text = QString(entry.linkText).replace(separators, QStringLiteral(" "));
        if (entry.heading) {
            lines.append(HeadingMarker + text);
            continue;
        }
        QString line = text + u'\t' + QString(entry.linkUrl).replace(separators, QStringLiteral(" "));
        if (!entry.description.isEmpty())
            line += u'\t' + QString(entry.description).replace(separators, QStringLiteral(" "));
        lines.append(line);
    }
    return lines.join(u'\n');
}

} // namespace orvanta
