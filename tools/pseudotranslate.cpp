// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a pseudo-translation of a .ts file: each source text bracketed and longer by a third, "[Create··]", its
// placeholders, accelerators and tags kept as they are. Built with lrelease, it shows in a window which texts went
// through a translation and which have no room to grow.
//
//   orvanta_pseudotranslate IN.ts OUT.ts
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Padding for a third of the characters shown: tags and the & that marks an accelerator are not shown.
QString pseudo(const QString& text)
{
    qsizetype shown = 0;
    bool inTag = false;
    for (const QChar c : text) {
        if (c == u'<')
            inTag = true;
        else if (c == u'>')
            inTag = false;
        else if (!inTag && c != u'&')
            ++shown;
    }
    return u'[' + text + QString((shown + 2) / 3, u'\u00b7') + u']';
}

void writeMessage(QXmlStreamWriter& writer, const QString& source, const QString& comment, bool numerus)
{
    writer.writeStartElement(u"message"_s);
    if (numerus)
        writer.writeAttribute(u"numerus"_s, u"yes"_s);
    writer.writeTextElement(u"source"_s, source);
    if (!comment.isEmpty())
        writer.writeTextElement(u"comment"_s, comment);
    writer.writeStartElement(u"translation"_s);
    if (numerus) {
        writer.writeTextElement(u"numerusform"_s, pseudo(source)); // one and other, as in English
        writer.writeTextElement(u"numerusform"_s, pseudo(source));
    } else {
        writer.writeCharacters(pseudo(source));
    }
    writer.writeEndElement();
    writer.writeEndElement();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: orvanta_pseudotranslate IN.ts OUT.ts\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "orvanta_pseudotranslate: %s\n",
                     qPrintable(in.isOpen() ? out.errorString() : in.errorString()));
        return 1;
    }
    QXmlStreamReader reader(&in);
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(u"TS"_s);
    writer.writeAttribute(u"version"_s, u"2.1"_s);
    writer.writeAttribute(u"language"_s, u"en"_s);
    QString source;
    QString comment;
    bool numerus = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (reader.name() == u"context") {
                writer.writeStartElement(u"context"_s);
            } else if (reader.name() == u"name") {
                writer.writeTextElement(u"name"_s, reader.readElementText());
            } else if (reader.name() == u"message") {
                numerus = reader.attributes().value(u"numerus"_s) == u"yes";
                source.clear();
                comment.clear();
            } else if (reader.name() == u"source") {
                source = reader.readElementText();
            } else if (reader.name() == u"comment") {
                comment = reader.readElementText();
            }
        } else if (reader.isEndElement()) {
            if (reader.name() == u"context")
                writer.writeEndElement();
            else if (reader.name() == u"message")
                writeMessage(writer, source, comment, numerus);
        }
    }
    writer.writeEndDocument();
    if (reader.hasError() || !out.flush()) {
        std::fprintf(stderr, "orvanta_pseudotranslate: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
