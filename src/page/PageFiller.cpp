// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFiller.h"

#include "CheckBoxLink.h"
#include "LinkTagging.h"
#include "PrintedText.h"
#include "QrCode.h"
#include "sheet/Design.h"
#include "sheet/Sheet.h"

#include <QRegularExpression>

namespace orvanta {

namespace {

QString scriptElement(QLatin1StringView address)
{
    return QStringLiteral("<script src= %1 ></script>").arg(address);
}

// The headline as plain text, its "#" written as a reference so that no placeholder is filled inside it.
QString plainHeadline(const QString& headline)
{
    return PlainTitle(headline).toHtmlEscaped().replace(u'#', QStringLiteral("&#35;"));
}

QString pageBreak(const PageTemplates& templates, const Sheet& sheet, qsizetype page, qsizetype pages)
{
    return QString(templates.pageBreak)
        .replace(QStringLiteral("#RUNNINGHEAD#"), plainHeadline(sheet.headline))
        .replace(QStringLiteral("#PAGES#"), QString::number(pages))
        .replace(QStringLiteral("#PAGE#"), QString::number(page));
}

QString resourceBlock(const PageTemplates& templates, const Sheet& sheet, const PagePlan& plan, EngineKind engine)
{
    QString block;
    for (qsizetype i = 0; i < sheet.resources.size(); ++i) {
        const ResourceEntry& entry = sheet.resources.at(i);
        if (const qsizetype page = plan.pageStarts.indexOf(i) + 2; page > 1)
            block += pageBreak(templates, sheet, page, plan.pages());
        if (entry.heading) { // no suffix: the note belongs to the buttons
            block += QString(templates.heading).replace(QStringLiteral("#HEADING#"), entry.linkText);
            continue;
        }
        const QString url = TaggedUrl(entry.linkUrl, sheet);
        const bool linkable = IsLinkable(url);
        // An address that may not be a link keeps its button, as text: its href goes, and it gets no QR code.
        static const QRegularExpression href(QStringLiteral("\\shref\\s*=\\s*([\"']?)#CTAURL#\\1"));
        QString snippet = templates.snippet;
        if (!linkable)
            snippet.remove(href);
        const QString checkBox = CheckBoxFragment(i, entry.linkText);
        snippet.replace(QStringLiteral("#CHECKBOX#"), engine == EngineKind::Chromium
                                                          ? QStringLiteral(" id=\"%1\" href=\"#%1\"").arg(checkBox)
                                                          : QString());
        block += snippet.replace(QStringLiteral("#CTATEXT#"), entry.linkText)
                     .replace(QStringLiteral("#CTAURL#"), url)
                     .replace(QStringLiteral("#CTAADDRESS#"), PrintedAddress(url))
                     .replace(QStringLiteral("#QR#"), sheet.qrCodes && linkable ? QrCodeSvg(url) : QString());
        const std::optional<QString> note = NoteBelow(sheet, entry);
        block += note ? QStringLiteral("<br><i><p>") + *note + QStringLiteral("</p></i>") : QStringLiteral("<br><br>");
    }
    return block;
}

// The page's title is the headline as plain text, so that the PDF is titled by it. It is put in before any
// placeholder is filled, and its "#" is written as a reference, so no placeholder is filled inside it.
QString titled(const QString& page, const QString& headline)
{
    static const QRegularExpression title(QStringLiteral("(<title[^>]*>)(.*?)(</title>)"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QString plain = plainHeadline(headline);
    const QRegularExpressionMatch match = title.match(page);
    if (plain.isEmpty() || !match.hasMatch())
        return page;
    return QString(page).replace(match.capturedStart(2), match.capturedLength(2), plain);
}

// The logo described by the sheet's words for it, or else by the footer's text, which is usually the brand.
QString logoElement(const Sheet& sheet)
{
    if (sheet.logo.isEmpty())
        return {};
    const QString text = sheet.logoText.trimmed().isEmpty() ? PlainTitle(sheet.footer) : sheet.logoText;
    return QStringLiteral("<img class=\"logo\" src=\"%1\" alt=\"%2\">").arg(sheet.logo, text.toHtmlEscaped());
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

QHash<QString, QStringList> PageLinkTexts(const Sheet& sheet)
{
    QHash<QString, QStringList> texts;
    for (const ResourceEntry& entry : sheet.resources) {
        const QString url = TaggedUrl(entry.linkUrl, sheet);
        if (!entry.heading && IsLinkable(url))
            texts[url].append(PlainTitle(entry.linkText));
    }
    return texts;
}

PagePlan PlanSheet(const PageTemplates& templates, const Sheet& sheet)
{
    if (!templates.geometry)
        return {};
    const auto qrSide = [&sheet](qsizetype i) {
        const QString url = TaggedUrl(sheet.resources.at(i).linkUrl, sheet);
        return sheet.qrCodes && IsLinkable(url) ? QrCodeSideMm(url) : 0.0;
    };
    return PlanPages(sheet, templates.disclaimer, *templates.geometry, qrSide);
}

QString FillPage(const PageTemplates& templates, const Sheet& sheet, EngineKind engine)
{
    return FillPage(templates, sheet, PlanSheet(templates, sheet), engine);
}

QString FillPage(const PageTemplates& templates, const Sheet& sheet, const PagePlan& plan, EngineKind engine)
{
    const QString block = resourceBlock(templates, sheet, plan, engine);
    return titled(templates.page, sheet.headline)
        .replace(QStringLiteral("#LANG#"), sheet.language.toHtmlEscaped())
        .replace(QStringLiteral("#HEADLINE#"), WithoutLoneLastWord(sheet.headline))
        .replace(QStringLiteral("#SUBHEADLINE#"), sheet.subheadline)
        .replace(QStringLiteral("#FOOTER#"), sheet.footer)
        .replace(QStringLiteral("#REPEATER#"), block)
        .replace(QStringLiteral("#FIT#"), QString::number(plan.scale))
        .replace(QStringLiteral("#TOSCLASS#"),
                 plan.tightDisclaimer ? QStringLiteral("tos tos-tight") : QStringLiteral("tos"))
        .replace(QStringLiteral("#TOS#"), sheet.disclaimer ? templates.disclaimer : QString())
        .replace(QStringLiteral("#CLOSE#"), ClosingBlock())
        .replace(QStringLiteral("#ACCENT#"), sheet.accent)
        .replace(QStringLiteral("#ACCENTTEXT#"), TextColourOn(sheet.accent))
        .replace(QStringLiteral("#LOGO#"), logoElement(sheet));
}

} // namespace orvanta
