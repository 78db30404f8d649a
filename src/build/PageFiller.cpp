#include "PageFiller.h"

#include "support/TextHelpers.h"

namespace orvanta {

namespace {

QString scriptElement(const char* address)
{
    return QStringLiteral("<script src= %1 ></script>").arg(QLatin1StringView(address));
}

// Appends one resource's snippet: "#CTATEXT#" is replaced first, so a link text that holds "#CTAURL#" gets
// the URL there. `scratch` keeps its capacity from one resource to the next.
void appendSnippet(QString& block, QString& scratch, const QString& snippetTemplate, const ResourceEntry& entry,
                   const QString& suffix)
{
    scratch.truncate(0);
    AppendReplaced(scratch, snippetTemplate, u"#CTATEXT#", entry.linkText);
    AppendReplaced(block, scratch, u"#CTAURL#", entry.linkUrl);
    block.append(suffix);
}

} // namespace

QString ClosingBlock()
{
    return scriptElement("assets/js/jquery.min.js") + scriptElement("assets/bootstrap/js/bootstrap.min.js") +
           scriptElement("https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js") +
           scriptElement("assets/js/stylish-portfolio.js") + QStringLiteral("</body></html>");
}

QString FillPage(const PageTemplates& templates, const PageContent& content)
{
    QString page = ReplaceAll(templates.page, QStringLiteral("#HEADLINE#"), content.headline);
    page = ReplaceAll(page, QStringLiteral("#SUBHEADLINE#"), content.subheadline);

    const QString suffix = content.textBelowEachResource
                               ? QStringLiteral("<br><i><p>") + content.belowResourceText + QStringLiteral("</p></i>")
                               : QStringLiteral("<br><br>");
    QString repeaterBlock;
    qsizetype estimate = 0;
    for (const ResourceEntry& entry : content.resources)
        estimate += templates.snippet.size() + entry.linkText.size() + entry.linkUrl.size() + suffix.size();
    repeaterBlock.reserve(estimate);
    QString scratch;
    for (const ResourceEntry& entry : content.resources)
        appendSnippet(repeaterBlock, scratch, templates.snippet, entry, suffix);

    page = ReplaceAll(page, QStringLiteral("#FOOTER#"), content.footer);
    page = ReplaceAll(page, QStringLiteral("#REPEATER#"), repeaterBlock);
    page = ReplaceAll(page, QStringLiteral("#TOS#"), content.disclaimerEnabled ? templates.disclaimer : QString());
    return ReplaceAll(page, QStringLiteral("#CLOSE#"), ClosingBlock());
}

} // namespace orvanta
