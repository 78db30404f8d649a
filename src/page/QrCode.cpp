// SPDX-License-Identifier: GPL-3.0-or-later
#include "QrCode.h"

#include <memory>
#include <qrencode.h>

namespace orvanta {

namespace {

constexpr int QuietModules = 4; // the light margin readers need around the code

struct QrDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

using QrCodePtr = std::unique_ptr<QRcode, QrDeleter>;

QrCodePtr encoded(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return QrCodePtr(QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_L));
}

double sideMm(const QRcode& code)
{
    return (code.width + 2 * QuietModules) * QrModuleMm;
}

} // namespace

double QrCodeSideMm(const QString& text)
{
    const QrCodePtr code = encoded(text);
    return code ? sideMm(*code) : 0;
}

QString QrCodeSvg(const QString& text, const QString& cssClass)
{
    const QrCodePtr code = encoded(text);
    if (!code)
        return {};
    const int width = code->width;
    const int side = width + 2 * QuietModules;
    // One path for all dark modules, a horizontal run at a time: small, and drawn without seams between modules.
    QString path;
    for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width;) {
            if (!(code->data[y * width + x] & 1)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && (code->data[y * width + x] & 1))
                ++x;
            path += QStringLiteral("M%1 %2h%3v1h-%3z").arg(start + QuietModules).arg(y + QuietModules).arg(x - start);
        }
    }
    const QString size = QString::number(sideMm(*code)) + QStringLiteral("mm");
    return QStringLiteral("<svg class=\"%1\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %2 %2\" width=\"%3\" "
                          "height=\"%3\" shape-rendering=\"crispEdges\" aria-hidden=\"true\"><rect width=\"%2\" "
                          "height=\"%2\" fill=\"#fff\"/><path fill=\"#000\" d=\"%4\"/></svg>")
        .arg(cssClass)
        .arg(side)
        .arg(size, path);
}

} // namespace orvanta
