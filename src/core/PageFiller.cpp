#include "PageFiller.h"

#include "LinkTagging.h"
#include "QrCode.h"
#include "Sheet.h"

namespace orvanta {

namespace {

QString scriptElement(QLatin1StringView address)
{
    return QStringLiteral("<script src= %1 ></script>").arg(address);
}

QString resourceBlock(const PageTemplates& templates, const Sheet& sheet)
{
    const QString suffix = sheet.noteBelowEachResource
                               ? QStringLiteral("<br><i><p>") + sheet.note + QStringLiteral("</p></i>")
                               : QStringLiteral("<br><br>");
    QString block;
    for (const ResourceEntry& entry : sheet.resources) {
        if (entry.heading) { // no suffix: the note belongs to the buttons
            block += QString(templates.heading).replace(QStringLiteral("#HEADING#"), entry.linkText);
            continue;
        }
        const QString url = TaggedUrl(entry.linkUrl, sheet);
        block += QString(templates.snippet)
                     .replace(QStringLiteral("#CTATEXT#"), entry.linkText)
                     .replace(QStringLiteral("#CTAURL#"), url)
                     .replace(QStringLiteral("#QR#"), sheet.qrCodes ? QrCodeSvg(url) : QString());
        block += suffix;
    }
    return block;
}

} // namespace

QString ClosingBlock()
{
    return scriptElement(QLatin1StringView("assets/js/jquery.min.js")) +
           scriptElement(QLatin1StringView("assets/bootstrap/js/bootstrap.min.js")) +
           scriptElement(
               QLatin1StringView("https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js")) +
           scriptElement(QLatin1StringView("assets/js/stylish-portfolio.js")) + QStringLiteral("</body></html>");
}

QString FillPage(const PageTemplates& templates, const Sheet& sheet)
{
    const QString block = resourceBlock(templates, sheet);
    return QString(templates.page)
        .replace(QStringLiteral("#HEADLINE#"), sheet.headline)
        .replace(QStringLiteral("#SUBHEADLINE#"), sheet.subheadline)
        .replace(QStringLiteral("#FOOTER#"), sheet.footer)
        .replace(QStringLiteral("#REPEATER#"), block)
        .replace(QStringLiteral("#TOS#"), sheet.disclaimer ? templates.disclaimer : QString())
        .replace(QStringLiteral("#CLOSE#"), ClosingBlock());
}

} // namespace orvanta
