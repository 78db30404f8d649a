// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfEngine.h"

#include "page/InstallFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvanta {

QString EngineName(EngineKind kind)
{
    return kind == EngineKind::Chromium ? QStringLiteral("Chromium") : QStringLiteral("wkhtmltopdf");
}

QString EngineChoiceKey(EngineChoice choice)
{
    switch (choice) {
    case EngineChoice::Wkhtmltopdf:
        return QStringLiteral("wkhtmltopdf");
    case EngineChoice::Chromium:
        return QStringLiteral("chromium");
    case EngineChoice::Automatic:
        break;
    }
    return QStringLiteral("auto");
}

std::optional<EngineChoice> EngineChoiceFromKey(const QString& key)
{
    for (EngineChoice choice : {EngineChoice::Automatic, EngineChoice::Wkhtmltopdf, EngineChoice::Chromium}) {
        if (key == EngineChoiceKey(choice))
            return choice;
    }
    return std::nullopt;
}

QString FindChromium(const QString& chromiumProgram)
{
    if (!chromiumProgram.isEmpty()) {
        const QFileInfo named(chromiumProgram);
        if (named.isFile() && named.isExecutable())
            return named.absoluteFilePath();
        return QStandardPaths::findExecutable(chromiumProgram);
    }
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        if (QString found = QStandardPaths::findExecutable(QString::fromLatin1(name)); !found.isEmpty())
            return found;
    }
    return {};
}

ResolvedEngine ResolveEngine(const QString& installFolder, EngineChoice choice, const QString& chromiumProgram)
{
    if (choice != EngineChoice::Chromium) {
        ResolvedEngine wkhtmltopdf{EngineKind::Wkhtmltopdf, FindConverter(installFolder)};
        if (choice == EngineChoice::Wkhtmltopdf || !wkhtmltopdf.program.isEmpty())
            return wkhtmltopdf;
    }
    return {EngineKind::Chromium, FindChromium(chromiumProgram)};
}

int ClosedLoopbackPort()
{
    static const int port = [] {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (fd < 0 || ::bind(fd, generic, length) != 0 || ::getsockname(fd, generic, &length) != 0) {
            if (fd >= 0)
                ::close(fd);
            return 1;
        }
        return int{ntohs(address.sin_port)};
    }();
    return port;
}

} // namespace orvanta
