#include "PageFiller.h"

#include "support/TextHelpers.h"

namespace orvanta {

namespace {

const QString HeadlineToken = QStringLiteral("#HEADLINE#");
const QString SubheadlineToken = QStringLiteral("#SUBHEADLINE#");
const QString LinkTextToken = QStringLiteral("#CTATEXT#");
const QString LinkUrlToken = QStringLiteral("#CTAURL#");
const QString FooterToken = QStringLiteral("#FOOTER#");
const QString RepeaterToken = QStringLiteral("#REPEATER#");
const QString TermsToken = QStringLiteral("#TOS#");
const QString CloseToken = QStringLiteral("#CLOSE#");

QString scriptElement(const char* address)
{
    return QStringLiteral("<script src= %1 ></script>").arg(QLatin1StringView(address));
}

// Every placeholder starts with '#'. A text without one can hold no placeholder, and can only take part in
// one that starts in the text before it, which then ends in an unfinished placeholder.
bool endsInUnfinished(QStringView text, QStringView token)
{
    for (qsizetype length = 1; length < token.size(); ++length) {
        if (text.endsWith(token.first(length)))
            return true;
    }
    return false;
}

bool anyEndsInUnfinished(const QList<QStringView>& pieces, qsizetype count, QStringView token)
{
    for (qsizetype i = 0; i < count; ++i) {
        if (endsInUnfinished(pieces.at(i), token))
            return true;
    }
    return false;
}

// The snippet template, prepared once for all resources. The straightforward way replaces "#CTATEXT#" in
// the template and then "#CTAURL#" in the result, so a link text can bring in "#CTAURL#". For the common
// link text without '#', that cannot happen (unless the template sets it up), and the snippet is just the
// template's pieces with the link text and URL between them.
class SnippetWriter {
public:
    SnippetWriter(const QString& snippetTemplate, const QString& suffix)
        : m_template(snippetTemplate)
        , m_suffix(suffix)
    {
        const QList<QStringView> pieces = CutAt(m_template, LinkTextToken);
        m_direct = !anyEndsInUnfinished(pieces, pieces.size() - 1, LinkUrlToken);
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                m_parts.append(Part{Part::LinkText, {}});
            const QList<QStringView> literals = CutAt(pieces.at(i), LinkUrlToken);
            for (qsizetype j = 0; j < literals.size(); ++j) {
                if (j > 0)
                    m_parts.append(Part{Part::LinkUrl, {}});
                m_parts.append(Part{Part::Literal, literals.at(j)});
            }
        }
    }

    void append(QString& block, const ResourceEntry& entry)
    {
        if (m_direct && !entry.linkText.contains(u'#')) {
            for (const Part& part : m_parts) {
                switch (part.kind) {
                case Part::Literal:
                    block.append(part.literal);
                    break;
                case Part::LinkText:
                    block.append(entry.linkText);
                    break;
                case Part::LinkUrl:
                    block.append(entry.linkUrl);
                    break;
                }
            }
        } else {
            m_scratch.truncate(0);
            AppendReplaced(m_scratch, m_template, LinkTextToken, entry.linkText);
            AppendReplaced(block, m_scratch, LinkUrlToken, entry.linkUrl);
        }
        block.append(m_suffix);
    }

    qsizetype estimate(const ResourceEntries& entries) const
    {
        qsizetype size = 0;
        for (const ResourceEntry& entry : entries)
            size += m_template.size() + entry.linkText.size() + entry.linkUrl.size() + m_suffix.size();
        return size;
    }

    // True when the snippets of these entries hold no '#' at all, and so no placeholder.
    bool writesNoHash(const ResourceEntries& entries) const
    {
        if (!m_direct || m_suffix.contains(u'#'))
            return false;
        for (const Part& part : m_parts) {
            if (part.literal.contains(u'#'))
                return false;
        }
        for (const ResourceEntry& entry : entries) {
            if (entry.linkText.contains(u'#') || entry.linkUrl.contains(u'#'))
                return false;
        }
        return true;
    }

private:
    struct Part {
        enum Kind { Literal, LinkText, LinkUrl } kind;
        QStringView literal;
    };

    const QString& m_template;
    const QString& m_suffix;
    QList<Part> m_parts;
    bool m_direct = false;
    QString m_scratch;
};

QString belowResourceSuffix(const PageContent& content)
{
    return content.textBelowEachResource
               ? QStringLiteral("<br><i><p>") + content.belowResourceText + QStringLiteral("</p></i>")
               : QStringLiteral("<br><br>");
}

QString repeaterBlock(SnippetWriter& writer, const ResourceEntries& entries)
{
    QString block;
    block.reserve(writer.estimate(entries));
    for (const ResourceEntry& entry : entries)
        writer.append(block, entry);
    return block;
}

// The last three replacements, as the straightforward way does them: each over the whole page.
QString replaceLastSteps(const QString& page, const QString& block, const QString& terms)
{
    QString result = ReplaceAll(page, RepeaterToken, block);
    result = ReplaceAll(result, TermsToken, terms);
    return ReplaceAll(result, CloseToken, ClosingBlock());
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
    QString page = ReplaceAll(templates.page, HeadlineToken, content.headline);
    page = ReplaceAll(page, SubheadlineToken, content.subheadline);
    const QString suffix = belowResourceSuffix(content);
    SnippetWriter writer(templates.snippet, suffix);
    page = ReplaceAll(page, FooterToken, content.footer);
    const QString terms = content.disclaimerEnabled ? templates.disclaimer : QString();

    // The resource block is most of a large page. When it holds no '#', no placeholder can lie in it, nor
    // reach across it, since every snippet ends in the suffix's '>', which no placeholder holds. The
    // disclaimer and closing placeholders are then filled in the template's text around the block, and
    // the block is written into the page once, instead of being copied once per step.
    const QList<QStringView> around = CutAt(page, RepeaterToken);
    const qsizetype slots = around.size() - 1;
    if (slots == 0 || content.resources.isEmpty() || !writer.writesNoHash(content.resources))
        return replaceLastSteps(page, repeaterBlock(writer, content.resources), terms);

    const QString closing = ClosingBlock();
    QList<QString> filled;
    qsizetype size = slots * writer.estimate(content.resources);
    for (QStringView piece : around) {
        filled.append(ReplaceAll(ReplaceAll(piece.toString(), TermsToken, terms), CloseToken, closing));
        size += filled.constLast().size();
    }
    QString result;
    result.reserve(size);
    result.append(filled.first());
    const qsizetype blockStart = result.size();
    for (const ResourceEntry& entry : content.resources)
        writer.append(result, entry);
    const QString block = slots > 1 ? result.sliced(blockStart) : QString();
    for (qsizetype i = 1; i < filled.size(); ++i) {
        if (i > 1)
            result.append(block);
        result.append(filled.at(i));
    }
    return result;
}

} // namespace orvanta
