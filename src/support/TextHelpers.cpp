#include "TextHelpers.h"

namespace orvanta {

QString ReplaceText(const QString& text, const QString& find, const QString& replacement, Comparison mode)
{
    if (find.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = mode == Comparison::Exact ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype match = text.indexOf(find, 0, cs);
    if (match < 0)
        return text;

    QString result;
    result.reserve(text.size() + (replacement.size() > find.size() ? replacement.size() - find.size() : 0));
    qsizetype rest = 0;
    while (match >= 0) {
        result.append(QStringView(text).sliced(rest, match - rest));
        result.append(replacement);
        rest = match + find.size();
        match = text.indexOf(find, rest, cs);
    }
    result.append(QStringView(text).sliced(rest));
    return result;
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement)
{
    return ReplaceText(text, find, replacement, Comparison::Exact);
}

QStringList SplitToList(const QString& text, const QString& delimiter)
{
    return text.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

} // namespace orvanta
