// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "cli/CommandLine.h"
#include "cli/Translations.h"
#include "gui/MainWindow.h"
#include "gui/widgets/Icons.h"
#include "gui/widgets/Interaction.h"
#include "page/Installation.h"
#include "pipeline/Termination.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    // The command line runs without a display, so it never makes a QApplication.
    if (orvanta::IsCommandLine(argc, argv))
        return orvanta::RunCommandLine(argc, argv);
    if (!orvanta::CanShowWindow(argc, argv))
        return orvanta::RefuseWithoutDisplay(argc, argv);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("example.orvanta.Orvanta"));
    orvanta::InstallTranslations();
    QApplication::setWindowIcon(orvanta::icons::app());

    // Stopped by a signal, the window closes as on quitting: a conversion under way leaves nothing behind.
    orvanta::QuitOnTerminationSignals();
    orvanta::DesktopInteraction interaction;
    orvanta::MainWindow window(orvanta::Installation::OfProgram(QCoreApplication::applicationDirPath()), interaction);
    window.show();
    const QStringList arguments = QCoreApplication::arguments();
    QTimer::singleShot(0, &window, [&window, arguments] {
        window.document().offerRecovery();
        if (arguments.size() > 1)
            window.document().openAfterAsking(arguments.at(1)); // restored work is not dropped unasked
    });
    return QApplication::exec();
}
