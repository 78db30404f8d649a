// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfAccess.h"

#include "page/PrintedText.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <filesystem>
#define POINTERHOLDER_TRANSITION 4 // the qpdf API without its old pointer type
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

namespace orvanta {

namespace {

// zlib's level 4 deflates a page's content three times as fast as the default 6, to a sixth more bytes.
constexpr int CompressionLevel = 4;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString text(QPDFObjectHandle object)
{
    return object.isString() ? QString::fromStdString(object.getUTF8Value()) : QString();
}

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\v' || c == '\0';
}

bool isDelimiter(char c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' || c == '/' ||
           c == '%';
}

bool isRegular(char c)
{
    return !isSpace(c) && !isDelimiter(c);
}

bool isNumber(QByteArrayView text)
{
    if (text.startsWith('+') || text.startsWith('-'))
        text = text.sliced(1);
    const qsizetype point = text.indexOf('.');
    const QByteArrayView whole = point < 0 ? text : text.first(point);
    const QByteArrayView fraction = point < 0 ? QByteArrayView() : text.sliced(point + 1);
    const auto digits = [](QByteArrayView part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && digits(fraction) && whole.size() + fraction.size() > 0;
}

// The tokens of a content stream, as positions in it; inline image data and whatever cannot be read are skipped
// as one token, so it ends on any input.
class ContentLexer {
public:
    enum Kind { Operand, Operator, Bad };

    ContentLexer(QByteArrayView content, qsizetype from = 0)
        : m_content(content)
        , m_end(from)
    {
    }

    // The next token, false at the end.
    bool next()
    {
        qsizetype at = m_end;
        while (at < m_content.size() && isSpace(m_content[at]))
            ++at;
        if (at == m_content.size())
            return false;
        m_start = at;
        m_kind = Operand;
        const char c = m_content[at];
        const auto until = [this, &at](auto stop) {
            while (at < m_content.size() && !stop(m_content[at]))
                ++at;
        };
        if (c == '%') {
            until([](char c) { return c == '\r' || c == '\n'; });
        } else if (c == '(') {
            for (int depth = 0; at < m_content.size(); ++at) {
                if (m_content[at] == '\\')
                    ++at;
                else if (m_content[at] == '(')
                    ++depth;
                else if (m_content[at] == ')' && --depth == 0)
                    break;
            }
            m_kind = at < m_content.size() ? Operand : Bad;
            at = std::min(at + 1, m_content.size());
        } else if (c == '<' && !(at + 1 < m_content.size() && m_content[at + 1] == '<')) {
            ++at;
            until([](char c) {
                return !isSpace(c) && !(c >= '0' && c <= '9') && !((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
            });
            m_kind = at < m_content.size() && m_content[at] == '>' ? Operand : Bad;
            at = std::min(at + 1, m_content.size());
        } else if (c == '<' || c == '>') {
            const bool twice = at + 1 < m_content.size() && m_content[at + 1] == c;
            m_kind = twice ? Operand : Bad;
            at += twice ? 2 : 1;
        } else if (c == ')') {
            m_kind = Bad;
            ++at;
        } else if (isDelimiter(c) && c != '/') {
            ++at;
        } else {
            ++at;
            until([](char c) { return !isRegular(c); });
            const QByteArrayView text = m_content.sliced(m_start, at - m_start);
            if (c != '/' && text != "true" && text != "false" && text != "null" && !isNumber(text))
                m_kind = Operator;
        }
        m_end = at;
        return true;
    }

    Kind kind() const { return m_kind; }
    qsizetype end() const { return m_end; }
    QByteArrayView word() const { return m_content.sliced(m_start, m_end - m_start); }

    // After ID: skips the character after it and the image data up to its EI, the first one followed by what looks
    // like content rather than more data; without any, the rest of the stream.
    void skipInlineImage()
    {
        qsizetype from = m_end + 1;
        qsizetype found = m_content.size();
        for (qsizetype at; from < m_content.size() && (at = m_content.indexOf("EI", from)) >= 0;) {
            const qsizetype after = at + 2;
            from = at + 1;
            if (after < m_content.size() && isRegular(m_content[after]))
                continue;
            found = at;
            ContentLexer check(m_content, after);
            bool content = true;
            for (int i = 0; i < 10 && content && check.next(); ++i)
                content = check.kind() == Operand || (check.kind() == Operator && looksLikeOperator(check.word()));
            if (content)
                break;
            from = check.end();
        }
        m_end = found;
    }

private:
    static bool looksLikeOperator(QByteArrayView word)
    {
        bool letters = false;
        bool others = false;
        for (const char c : word) {
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '*')
                letters = true;
            else if (static_cast<signed char>(c) < 32)
                return false;
            else
                others = true;
        }
        return !(letters && others);
    }

    QByteArrayView m_content;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
    Kind m_kind = Operand;
};

enum class Drawing { Other, Show, Segment, Paint };

Drawing drawing(QByteArrayView op)
{
    const auto oneOf = [op](std::initializer_list<QByteArrayView> ops) {
        return std::find(ops.begin(), ops.end(), op) != ops.end();
    };
    if (op.size() > 2)
        return Drawing::Other;
    if (oneOf({"Tj", "TJ", "'", "\"", "Do", "sh"}))
        return Drawing::Show;
    if (oneOf({"m", "l", "c", "v", "y", "h", "re"}))
        return Drawing::Segment;
    return oneOf({"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "n"}) ? Drawing::Paint : Drawing::Other;
}

// An address as the page has it and as the browser wrote it alike: fully encoded, without a lone "/" path.
QString linkKey(const QString& address)
{
    QString key = QUrl(address).toString(QUrl::FullyEncoded | QUrl::NormalizePathSegments);
    const QUrl url(key);
    if (url.path() == QStringLiteral("/") && !url.hasQuery() && !url.hasFragment())
        key.chop(1);
    return key;
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString isoDate(QPDFObjectHandle info, const char* key)
{
    QPDFObjectHandle date = info.isDictionary() ? info.getKey(key) : QPDFObjectHandle();
    QUtil::QPDFTime time(0, 0, 0, 0, 0, 0, 0);
    if (!date.isString() || !QUtil::pdf_time_to_qpdf_time(date.getStringValue(), &time))
        return {};
    return QString::fromStdString(QUtil::qpdf_time_to_iso8601(time));
}

QByteArray xmpPacket(const QString& title, const QString& language, QPDFObjectHandle info)
{
    QString properties =
        QStringLiteral("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt>"
                       "</dc:title>\n<dc:language><rdf:Bag><rdf:li>%2</rdf:li></rdf:Bag></dc:language>\n")
            .arg(xmlEscaped(title), xmlEscaped(language));
    // What the document information says, the metadata says alike.
    const auto property = [&properties](const char* name, const QString& value) {
        if (!value.isEmpty())
            properties += QStringLiteral("<%1>%2</%1>\n").arg(QLatin1String(name), xmlEscaped(value));
    };
    if (info.isDictionary()) {
        property("pdf:Producer", text(info.getKey("/Producer")));
        property("xmp:CreatorTool", text(info.getKey("/Creator")));
    }
    property("xmp:CreateDate", isoDate(info, "/CreationDate"));
    property("xmp:ModifyDate", isoDate(info, "/ModDate"));
    return QStringLiteral("<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                          "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                          "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                          "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                          "xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" "
                          "xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\">\n"
                          "%1<pdfuaid:part>1</pdfuaid:part>\n"
                          "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>")
        .arg(properties)
        .toUtf8();
}

// Gives each link annotation its link's text: a Link element of the structure tree holds the annotations of one
// link, which take the next text of their address, or the address as printed when the page has no text for it.
class LinkDescriber {
public:
    explicit LinkDescriber(const QHash<QString, QStringList>& texts)
    {
        for (auto text = texts.begin(); text != texts.end(); ++text)
            m_texts[linkKey(text.key())] += text.value();
    }

    void describeTree(QPDFObjectHandle element, int depth = 0)
    {
        if (depth > 256) // a tree that deep is broken; the annotations get their addresses below
            return;
        if (element.isArray()) {
            for (QPDFObjectHandle kid : element.aitems())
                describeTree(kid, depth + 1);
            return;
        }
        if (!element.isDictionary())
            return;
        if (element.getKey("/S").isNameAndEquals("/Link")) {
            std::vector<QPDFObjectHandle> annotations;
            collectAnnotations(element.getKey("/K"), annotations);
            QString description;
            for (QPDFObjectHandle annotation : annotations) {
                if (description.isEmpty())
                    description = nextText(uri(annotation));
                describe(annotation, description);
            }
            return;
        }
        describeTree(element.getKey("/K"), depth + 1);
    }

    // An annotation the tree does not reach.
    void describe(QPDFObjectHandle annotation, QString description = {})
    {
        if (!annotation.isDictionary() || !annotation.getKey("/Subtype").isNameAndEquals("/Link") ||
            annotation.getKey("/Contents").isString())
            return;
        if (description.isEmpty())
            description = PrintedAddress(uri(annotation));
        if (!description.isEmpty())
            annotation.replaceKey("/Contents", QPDFObjectHandle::newUnicodeString(utf8(description)));
    }

private:
    static void collectAnnotations(QPDFObjectHandle kids, std::vector<QPDFObjectHandle>& annotations)
    {
        const auto one = [&annotations](QPDFObjectHandle kid) {
            if (kid.isDictionary() && kid.getKey("/Type").isNameAndEquals("/OBJR"))
                annotations.push_back(kid.getKey("/Obj"));
        };
        if (kids.isArray()) {
            for (QPDFObjectHandle kid : kids.aitems())
                one(kid);
        } else {
            one(kids);
        }
    }

    static QString uri(QPDFObjectHandle annotation)
    {
        QPDFObjectHandle action = annotation.isDictionary() ? annotation.getKey("/A") : QPDFObjectHandle();
        return action.isDictionary() ? text(action.getKey("/URI")) : QString();
    }

    QString nextText(const QString& address)
    {
        const QString key = linkKey(address);
        const QStringList texts = m_texts.value(key);
        const qsizetype used = m_used[key]++;
        return used < texts.size() ? texts.at(used) : PrintedAddress(address);
    }

    QHash<QString, QStringList> m_texts;
    QHash<QString, qsizetype> m_used;
};

// Rewrites the page's content with its untagged drawing marked; a page with none keeps its stream as it came.
void markArtifacts(QPDF& pdf, QPDFPageObjectHelper& page)
{
    Pl_Buffer buffer("page content");
    page.pipeContents(&buffer);
    std::unique_ptr<Buffer> data(buffer.getBuffer());
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
    const QByteArray marked = MarkedAsArtifacts(content);
    if (marked.constData() == content.constData())
        return;
    QPDFObjectHandle stream = page.getObjectHandle().getKey("/Contents");
    if (!stream.isStream()) {
        stream = pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf));
        page.getObjectHandle().replaceKey("/Contents", stream);
    }
    const QByteArray deflated = qCompress(marked, CompressionLevel).sliced(4); // without Qt's length in front
    stream.replaceStreamData(deflated.toStdString(), QPDFObjectHandle::newName("/FlateDecode"),
                             QPDFObjectHandle::newNull());
}

void makeAccessible(QPDF& pdf, const PdfMetadata& metadata)
{
    QPDFObjectHandle root = pdf.getRoot();
    root.replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(utf8(metadata.language)));
    QPDFObjectHandle preferences = root.getKey("/ViewerPreferences");
    if (!preferences.isDictionary()) {
        preferences = QPDFObjectHandle::newDictionary();
        root.replaceKey("/ViewerPreferences", preferences);
    }
    preferences.replaceKey("/DisplayDocTitle", QPDFObjectHandle::newBool(true));
    root.replaceKey("/MarkInfo", QPDFObjectHandle::parse("<< /Marked true >>"));
    QPDFObjectHandle xmp = QPDFObjectHandle::newStream(
        &pdf, xmpPacket(metadata.title, metadata.language, pdf.getTrailer().getKey("/Info")).toStdString());
    xmp.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    xmp.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    root.replaceKey("/Metadata", xmp);

    LinkDescriber links(metadata.linkTexts);
    QPDFObjectHandle tree = root.getKey("/StructTreeRoot");
    if (tree.isDictionary())
        links.describeTree(tree.getKey("/K"));
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle annotations = page.getObjectHandle().getKey("/Annots");
        if (annotations.isArray() && annotations.getArrayNItems() > 0) {
            page.getObjectHandle().replaceKey("/Tabs", QPDFObjectHandle::newName("/S")); // in the tree's order
            for (QPDFObjectHandle annotation : annotations.aitems())
                links.describe(annotation);
        }
        markArtifacts(pdf, page);
    }
}

} // namespace

QByteArray MarkedAsArtifacts(const QByteArray& content)
{
    QByteArray marked;
    qsizetype copied = 0;
    const auto insert = [&](qsizetype at, QByteArrayView text) {
        marked.append(QByteArrayView(content).sliced(copied, at - copied)).append(text);
        copied = at;
    };
    qsizetype operands = 0; // where the operands of the next operator start
    int depth = 0;
    bool open = false;
    bool closeAfter = false;
    ContentLexer lexer(content);
    while (lexer.next()) {
        if (lexer.kind() != ContentLexer::Operator)
            continue;
        const QByteArrayView op = lexer.word();
        const bool outside = depth == 0 && !open;
        const Drawing kind = drawing(op);
        if (op == "BMC" || op == "BDC") {
            ++depth;
        } else if (op == "EMC") {
            depth = std::max(0, depth - 1);
        } else if (outside && (kind == Drawing::Show || kind == Drawing::Segment || op == "BI")) {
            insert(operands, "/Artifact BMC\n");
            open = true;
            closeAfter = kind == Drawing::Show;
        }
        if (open && (closeAfter || kind == Drawing::Paint || op == "EI")) {
            insert(lexer.end(), "\nEMC\n");
            open = false;
        }
        operands = lexer.end();
        if (op == "ID")
            lexer.skipInlineImage();
    }
    if (open)
        insert(content.size(), "\nEMC\n");
    if (marked.isEmpty())
        return content;
    return marked.append(QByteArrayView(content).sliced(copied));
}

std::optional<ConversionResult> FinishPdf(const QString& path, const PdfMetadata& metadata,
                                          const std::vector<PdfStep>& steps)
{
    const QString finished = path + QStringLiteral(".finished");
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        const QByteArray input = QFile::encodeName(path);
        pdf.processFile(input.constData());
        if (!metadata.title.isEmpty()) {
            QPDFObjectHandle trailer = pdf.getTrailer();
            QPDFObjectHandle info = trailer.getKey("/Info");
            if (!info.isDictionary()) {
                info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
                trailer.replaceKey("/Info", info);
            }
            info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(utf8(metadata.title)));
        }
        if (!metadata.language.isEmpty())
            makeAccessible(pdf, metadata);
        for (const PdfStep& step : steps)
            step(pdf);
        const QByteArray output = QFile::encodeName(finished); // the writer keeps the pointer until write()
        QPDFWriter writer(pdf, output.constData());
        writer.setDecodeLevel(qpdf_dl_none); // fonts and images stay as compressed as they came
        writer.write();
    } catch (const std::exception& error) {
        QFile::remove(finished);
        return ConversionResult{ConversionResult::Outcome::NotStored, 0, QString::fromLocal8Bit(error.what()), {}};
    }
    std::error_code error;
    std::filesystem::rename(QFileInfo(finished).filesystemFilePath(), QFileInfo(path).filesystemFilePath(), error);
    if (!error)
        return std::nullopt;
    QFile::remove(finished);
    return ConversionResult{ConversionResult::Outcome::NotStored, 0, QString::fromStdString(error.message()), {}};
}

} // namespace orvanta
