#include "TextHelpers.h"

namespace orvanta {

namespace {

qsizetype search(QStringView text, QStringView find, qsizetype from, Qt::CaseSensitivity cs)
{
    return cs == Qt::CaseSensitive ? FindExact(text, find, from) : text.indexOf(find, from, cs);
}

// Appends `text` with every match replaced.
void appendReplaced(QString& out, QStringView text, QStringView find, QStringView replacement, Qt::CaseSensitivity cs)
{
    qsizetype rest = 0;
    for (qsizetype match = search(text, find, 0, cs); match >= 0; match = search(text, find, rest, cs)) {
        out.append(text.sliced(rest, match - rest));
        out.append(replacement);
        rest = match + find.size();
    }
    out.append(text.sliced(rest));
}

} // namespace

qsizetype FindExact(QStringView text, QStringView find, qsizetype from)
{
    if (find.isEmpty())
        return -1;
    // Jump between occurrences of the first character: Qt scans for one character with vector
    // instructions, far faster than a general string search on large pages where it is rare.
    const QChar first = find.front();
    const qsizetype last = text.size() - find.size();
    while (from <= last) {
        from = text.indexOf(first, from);
        if (from < 0 || from > last)
            return -1;
        if (text.sliced(from, find.size()) == find)
            return from;
        ++from;
    }
    return -1;
}

QList<QStringView> CutAt(QStringView text, QStringView find)
{
    QList<QStringView> pieces;
    qsizetype rest = 0;
    for (qsizetype match = FindExact(text, find, 0); match >= 0; match = FindExact(text, find, rest)) {
        pieces.append(text.sliced(rest, match - rest));
        rest = match + find.size();
    }
    pieces.append(text.sliced(rest));
    return pieces;
}

QString ReplaceText(const QString& text, const QString& find, const QString& replacement, Comparison mode)
{
    const Qt::CaseSensitivity cs = mode == Comparison::Exact ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (find.isEmpty() || search(text, find, 0, cs) < 0)
        return text; // shared, not copied
    QString result;
    result.reserve(text.size() + qMax<qsizetype>(0, replacement.size() - find.size()));
    appendReplaced(result, text, find, replacement, cs);
    return result;
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement)
{
    return ReplaceText(text, find, replacement, Comparison::Exact);
}

void AppendReplaced(QString& out, QStringView text, QStringView find, QStringView replacement)
{
    if (find.isEmpty())
        out.append(text);
    else
        appendReplaced(out, text, find, replacement, Qt::CaseSensitive);
}

QStringList SplitToList(const QString& text, const QString& delimiter)
{
    return text.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

} // namespace orvanta
