#include "core/Version.h"
#include "gui/MainWindow.h"
#include "gui/widgets/Icons.h"
#include "gui/widgets/Interaction.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvanta"));
    QApplication::setWindowIcon(orvanta::icons::app());

    orvanta::DesktopInteraction interaction;
    orvanta::MainWindow window(QCoreApplication::applicationDirPath(), interaction);
    window.show();
    return QApplication::exec();
}
