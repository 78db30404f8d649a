// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvanta {

void InstallTranslations()
{
    QCoreApplication* app = QCoreApplication::instance();
    const QLocale locale;
    const auto install = [app, &locale](const QString& name, const QString& folder) {
        auto* translator = new QTranslator(app);
        if (translator->load(locale, name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    };
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(QStringLiteral("orvanta"), QStringLiteral(":/i18n"));
}

} // namespace orvanta
