// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfAccess.h"

#include "page/PrintedText.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <filesystem>
#define POINTERHOLDER_TRANSITION 4 // the qpdf API without its old pointer type
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

namespace orvanta {

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString text(QPDFObjectHandle object)
{
    return object.isString() ? QString::fromStdString(object.getUTF8Value()) : QString();
}

// Wraps every drawing a page does outside marked content in an /Artifact sequence: a screen reader skips it, and
// no content is left that is neither the document's nor marked as decoration. A path is wrapped from its first
// segment to its painting, as marked content may not split it.
class ArtifactMarker : public QPDFObjectHandle::TokenFilter {
public:
    void handleToken(const QPDFTokenizer::Token& token) override
    {
        if (token.getType() != QPDFTokenizer::tt_word) {
            m_operands.push_back(token);
            return;
        }
        const std::string& op = token.getValue();
        static const QSet<QByteArray> shows{"Tj", "TJ", "'", "\"", "Do", "sh"};
        static const QSet<QByteArray> segments{"m", "l", "c", "v", "y", "h", "re"};
        static const QSet<QByteArray> paints{"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "n"};
        const QByteArray name = QByteArray::fromStdString(op);
        const bool outside = m_depth == 0 && !m_open;
        if (op == "BMC" || op == "BDC") {
            ++m_depth;
        } else if (op == "EMC") {
            m_depth = std::max(0, m_depth - 1);
        } else if (outside && (shows.contains(name) || op == "BI")) {
            open();
            m_closeAfter = op != "BI";
        } else if (outside && segments.contains(name)) {
            open();
        }
        flush(token);
        if (m_open && (m_closeAfter || paints.contains(name) || op == "EI"))
            close();
    }

    void handleEOF() override
    {
        for (const QPDFTokenizer::Token& operand : m_operands)
            writeToken(operand);
        m_operands.clear();
        if (m_open)
            close();
    }

private:
    void open()
    {
        write("/Artifact BMC\n");
        m_open = true;
        m_closeAfter = false;
    }

    void close()
    {
        write("\nEMC\n");
        m_open = false;
    }

    void flush(const QPDFTokenizer::Token& op)
    {
        for (const QPDFTokenizer::Token& operand : m_operands)
            writeToken(operand);
        m_operands.clear();
        writeToken(op);
    }

    std::vector<QPDFTokenizer::Token> m_operands; // with the spaces between them, up to their operator
    int m_depth = 0;
    bool m_open = false;
    bool m_closeAfter = false;
};

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
        page.addContentTokenFilter(std::make_shared<ArtifactMarker>());
    }
}

} // namespace

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
