// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfForms.h"

#include "page/CheckBoxLink.h"

#include <QSet>
#include <QString>
#include <algorithm>
#define POINTERHOLDER_TRANSITION 4 // the qpdf API without its old pointer type
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNumberTreeObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace orvanta {

namespace {

// The page draws the empty box; the ticked state adds a tick in the text's colour.
QPDFObjectHandle appearance(QPDF& pdf, double width, double height, bool ticked)
{
    const double side = std::min(width, height);
    const QByteArray tick = ticked ? QString::asprintf("q 0.122 0.137 0.161 RG %.2f w 1 J 1 j %.2f %.2f m %.2f %.2f l "
                                                       "%.2f %.2f l S Q",
                                                       side * 0.12, width * 0.26, height * 0.52, width * 0.44,
                                                       height * 0.30, width * 0.76, height * 0.74)
                                         .toLatin1()
                                   : QByteArray();
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf, tick.toStdString());
    stream.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    stream.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    stream.getDict().replaceKey(
        "/BBox", QPDFObjectHandle::parse(QString::asprintf("[0 0 %.2f %.2f]", width, height).toStdString()));
    return stream;
}

// A partial field name holds no period, and no two fields have the same.
QString uniqueName(const QString& text, QSet<QString>& taken)
{
    QString base = QString(text).replace(u'.', u'_');
    if (base.isEmpty())
        base = QString::number(taken.size() + 1);
    QString name = base;
    for (int n = 2; taken.contains(name); ++n)
        name = QStringLiteral("%1 (%2)").arg(base).arg(n);
    taken.insert(name);
    return name;
}

} // namespace

bool AddCheckBoxes(QPDF& pdf)
{
    QPDFObjectHandle catalog = pdf.getRoot();
    QPDFObjectHandle dests = catalog.getKey("/Dests");
    QPDFObjectHandle structRoot = catalog.getKey("/StructTreeRoot");
    QPDFObjectHandle parentTree = structRoot.isDictionary() ? structRoot.getKey("/ParentTree") : QPDFObjectHandle();
    QPDFObjectHandle fields = QPDFObjectHandle::newArray();
    QSet<QString> names;
    for (QPDFPageObjectHelper& pageHelper : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle page = pageHelper.getObjectHandle();
        QPDFObjectHandle annots = page.getKey("/Annots");
        if (!annots.isArray())
            continue;
        bool hasBox = false;
        for (QPDFObjectHandle annot : annots.aitems()) {
            QPDFObjectHandle dest = annot.getKey("/Dest");
            if (!annot.isIndirect() || !annot.isDictionary() || !annot.getKey("/Subtype").isNameAndEquals("/Link") ||
                !dest.isName())
                continue;
            const std::string destName = dest.getName();
            const std::optional<QString> text = CheckBoxText(QByteArray::fromStdString(destName.substr(1)));
            const QPDFObjectHandle::Rectangle rect = annot.getKey("/Rect").getArrayAsRectangle();
            if (!text || rect.urx <= rect.llx || rect.ury <= rect.lly)
                continue;
            hasBox = true;
            if (dests.isDictionary())
                dests.removeKey(destName);
            for (const char* key : {"/Dest", "/A", "/Border", "/QuadPoints", "/H"})
                annot.removeKey(key);
            const double width = rect.urx - rect.llx;
            const double height = rect.ury - rect.lly;
            QPDFObjectHandle states = QPDFObjectHandle::newDictionary();
            states.replaceKey("/Yes", appearance(pdf, width, height, true));
            states.replaceKey("/Off", appearance(pdf, width, height, false));
            QPDFObjectHandle ap = QPDFObjectHandle::newDictionary();
            ap.replaceKey("/N", states);
            annot.replaceKey("/Subtype", QPDFObjectHandle::newName("/Widget"));
            annot.replaceKey("/FT", QPDFObjectHandle::newName("/Btn"));
            annot.replaceKey("/T", QPDFObjectHandle::newUnicodeString(uniqueName(*text, names).toStdString()));
            if (!text->isEmpty())
                annot.replaceKey("/TU", QPDFObjectHandle::newUnicodeString(text->toStdString()));
            annot.replaceKey("/V", QPDFObjectHandle::newName("/Off"));
            annot.replaceKey("/AS", QPDFObjectHandle::newName("/Off"));
            annot.replaceKey("/F", QPDFObjectHandle::newInteger(4)); // printed
            annot.replaceKey("/P", page);
            annot.replaceKey("/AP", ap);
            fields.appendItem(annot);
            // The link's structure element becomes the field's: a Form element holding the widget.
            QPDFObjectHandle element;
            if (parentTree.isDictionary() && annot.getKey("/StructParent").isInteger() &&
                QPDFNumberTreeObjectHelper(parentTree, pdf)
                    .findObject(annot.getKey("/StructParent").getIntValue(), element) &&
                element.isDictionary())
                element.replaceKey("/S", QPDFObjectHandle::newName("/Form"));
        }
        if (hasBox)
            page.replaceKey("/Tabs", QPDFObjectHandle::newName("/S")); // fields in the order of the structure
    }
    if (dests.isDictionary() && dests.getKeys().empty())
        catalog.removeKey("/Dests");
    if (fields.getArrayNItems() == 0)
        return false;
    QPDFObjectHandle form = QPDFObjectHandle::newDictionary();
    form.replaceKey("/Fields", fields);
    catalog.replaceKey("/AcroForm", pdf.makeIndirectObject(form));
    return true;
}

} // namespace orvanta
