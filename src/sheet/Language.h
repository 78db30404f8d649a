// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace orvanta {

// The language a sheet is written in, as a BCP 47 tag ("de", "pt-PT", "sr-Latn"). The printed page declares it, so
// that screen readers speak the sheet in it and browsers hyphenate by it.
namespace language {
// A file saved before sheets had a language: the looks then always said English.
inline const QString OfOlderFiles = QStringLiteral("en");
} // namespace language

// The system locale's language, with its script or region only where they tell it from the language's usual form
// ("de" for de_DE, "de-AT" for de_AT); English when the system names none.
QString SystemLanguage();

// A tag made of a language of 2 or 3 letters, optionally a script of 4 letters, optionally a region of 2 letters or
// 3 digits, joined with "-".
bool IsLanguageTag(const QString& tag);

// A language offered for a sheet: its tag and its name in itself ("Deutsch", "português (Portugal)").
struct LanguageChoice {
    QString tag;
    QString name;
};

// Every language Qt knows in its usual form, and `current` when it is another, sorted by name.
QList<LanguageChoice> LanguageChoices(const QString& current);

// A language's name in itself, with its region where the tag names one; the tag itself when Qt knows no name.
QString LanguageName(const QString& tag);

} // namespace orvanta
