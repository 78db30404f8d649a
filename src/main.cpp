#include "app/Icons.h"
#include "app/Interaction.h"
#include "app/MainWindow.h"

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
