// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace orvanta {

QString SystemLanguage()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C || system.language() == QLocale::AnyLanguage)
        return language::OfOlderFiles;
    const QString tag = system.bcp47Name();
    return IsLanguageTag(tag) ? tag : language::OfOlderFiles;
}

bool IsLanguageTag(const QString& tag)
{
    static const QRegularExpression form(
        QStringLiteral("^[A-Za-z]{2,3}(-[A-Za-z]{4})?(-(?:[A-Za-z]{2}|[0-9]{3}))?\\z"));
    return form.match(tag).hasMatch();
}

QString LanguageName(const QString& tag)
{
    const QLocale locale(tag);
    // Qt names English by its American variety, which is not what "en" alone says.
    QString name = locale.language() == QLocale::English && !tag.contains(u'-') ? QStringLiteral("English")
                                                                                : locale.nativeLanguageName();
    if (name.isEmpty())
        return tag;
    if (tag.contains(u'-') && !locale.nativeTerritoryName().isEmpty())
        name += QStringLiteral(" (%1)").arg(locale.nativeTerritoryName());
    return name;
}

QList<LanguageChoice> LanguageChoices(const QString& current)
{
    QSet<QString> tags;
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        if (locale.language() == QLocale::C)
            continue;
        // The language alone names its usual script and region: "pt" is Brazilian, "sr" Cyrillic.
        const QString tag = QLocale(locale.language()).bcp47Name();
        if (IsLanguageTag(tag))
            tags.insert(tag);
    }
    if (!current.isEmpty())
        tags.insert(current);
    QList<LanguageChoice> choices;
    for (const QString& tag : std::as_const(tags))
        choices.append({tag, LanguageName(tag)});
    std::sort(choices.begin(), choices.end(), [](const LanguageChoice& a, const LanguageChoice& b) {
        const int order = QString::localeAwareCompare(a.name, b.name);
        return order != 0 ? order < 0 : a.tag < b.tag;
    });
    return choices;
}

} // namespace orvanta
