#include "TestSupport.h"
#include "core/OutputFiles.h"
#include "core/PageFiller.h"
#include "core/Sheet.h"
#include "core/TextFile.h"

#include <QFile>
#include <QTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::PageTemplates)
Q_DECLARE_METATYPE(orvanta::Sheet)

namespace {

const QString ClosingLiteral = QStringLiteral(
    "<script src= assets/js/jquery.min.js ></script><script src= assets/bootstrap/js/bootstrap.min.js ></script>"
    "<script src= https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js ></script>"
    "<script src= assets/js/stylish-portfolio.js ></script></body></html>");

const QString Disclaimer = u"line 1\n\nline 2\r\nline 3"_s;

PageTemplates
templates(const QString& page = u"<h1>#HEADLINE#</h1><h2>#SUBHEADLINE#</h2>[#REPEATER#]<f>#FOOTER#</f>#TOS#"_s,
          const QString& snippet = u"<a href=\"#CTAURL#\">#CTATEXT#</a>"_s, const QString& disclaimer = Disclaimer)
{
    return {page, snippet, disclaimer};
}

Sheet content(const ResourceEntries& resources = {{u"T"_s, u"u"_s}})
{
    Sheet sheet;
    sheet.headline = u"H"_s;
    sheet.subheadline = u"S"_s;
    sheet.footer = u"F"_s;
    sheet.resources = resources;
    return sheet;
}

QString page(const QString& headline, const QString& repeater, const QString& footer = u"F"_s,
             const QString& disclaimer = {})
{
    return u"<h1>%1</h1><h2>S</h2>[%2]<f>%3</f>%4"_s.arg(headline, repeater, footer, disclaimer);
}

} // namespace

class TestPageFiller : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fillPage_data();
    void fillPage();
    void fileNameProblem_data();
    void fileNameProblem();
    void hyphenatedName();
    void formOutputPaths_data();
    void formOutputPaths();
    void loadTemplates_data();
    void loadTemplates();
};

void TestPageFiller::fillPage_data()
{
    QTest::addColumn<PageTemplates>("templates");
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<QString>("expected");

    const QString one = u"<a href=\"u\">T</a><br><br>"_s;
    Sheet c = content();
    c.headline = u"Q&A <b>bold</b> &amp;"_s;
    c.note = u"not ticked"_s;
    QTest::newRow("markup as typed, nothing ticked") << templates() << c << page(c.headline, one);
    c = content();
    c.disclaimer = true;
    c.footer = u"#HEADLINE#"_s;
    QTest::newRow("disclaimer ticked, footer keeps earlier token")
        << templates() << c << page(u"H"_s, one, c.footer, Disclaimer);

    // Later placeholders are filled inside earlier replacements: footer after headline, resources after footer.
    c = content();
    c.headline = u"see #FOOTER#"_s;
    c.footer = u"{#REPEATER#}"_s;
    QTest::newRow("headline shows footer shows resources")
        << templates() << c << page(u"see {"_s + one + u'}', one, u'{' + one + u'}');
    // #CTATEXT# is filled before #CTAURL#, and the footer before the resources are put in.
    c = content({{u"go #CTAURL#"_s, u"u"_s}, {u"#FOOTER#"_s, u"#CTATEXT#"_s}});
    QTest::newRow("link text shows URL, not the other way")
        << templates() << c
        << page(u"H"_s, u"<a href=\"u\">go u</a><br><br><a href=\"#CTATEXT#\">#FOOTER#</a><br><br>"_s);

    // The disclaimer is filled into every snippet, and the closing block into the disclaimer.
    c = content({{u"A"_s, u"1"_s}, {u"B"_s, u"2"_s}});
    c.disclaimer = true;
    const QString terms = u"end:"_s + ClosingLiteral;
    QTest::newRow("disclaimer in snippets, closing block in disclaimer")
        << templates(u"#REPEATER#<p>#TOS#</p>#CLOSE#"_s, u"#CTATEXT#(#TOS#)"_s, u"end:#CLOSE#"_s) << c
        << u"A(%1)<br><br>B(%1)<br><br><p>%1</p>%2"_s.arg(terms, ClosingLiteral);

    QTest::newRow("repeater twice") << templates(u"#REPEATER#|#REPEATER#"_s) << content() << one + u'|' + one;
    QTest::newRow("no repeater or close token; resource and lower-case tokens stay")
        << templates(u"#CTATEXT#|#CTAURL#|#headline#|<h1>#HEADLINE#</h1>"_s) << content()
        << u"#CTATEXT#|#CTAURL#|#headline#|<h1>H</h1>"_s;
    c = content({{u"A"_s, u"1"_s}, {u"B"_s, u"2"_s}});
    c.noteBelowEachResource = true;
    c.note = u"note"_s;
    QTest::newRow("text below each resource, in list order")
        << templates(u"#REPEATER#"_s, u"#CTATEXT#=#CTAURL#;"_s) << c
        << u"A=1;<br><i><p>note</p></i>B=2;<br><i><p>note</p></i>"_s;
}

void TestPageFiller::fillPage()
{
    QFETCH(PageTemplates, templates);
    QFETCH(Sheet, sheet);
    QFETCH(QString, expected);

    QCOMPARE(FillPage(templates, sheet), expected);
}

void TestPageFiller::fileNameProblem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");

    const QString slash = u"The file name cannot contain \"/\". Please choose another name."_s;
    const QString reserved = u"\"%1\" cannot be used as a file name. Please choose another name."_s;
    const QString tooLong = u"The file name is too long. Please choose a shorter name."_s;
    QTest::newRow("slash") << u"a/b"_s << slash;
    QTest::newRow("NUL") << u"a"_s + QChar(u'\0') + u"b"_s << slash;
    QTest::newRow("dot") << u"."_s << reserved.arg(u"."_s);
    QTest::newRow("dot dot") << u".."_s << reserved.arg(u".."_s);
    QTest::newRow("three dots") << u"..."_s << QString();
    QTest::newRow("250 characters") << QString(250, u'a') << QString();
    QTest::newRow("251 characters") << QString(251, u'a') << tooLong;
    QTest::newRow("125 two-byte letters") << QString(125, QChar(0xE9)) << QString();
    QTest::newRow("126 two-byte letters") << QString(126, QChar(0xE9)) << tooLong;
    QTest::newRow("other characters") << u"-rf it's \"x\" $HOME; `ls` & | <> шпаргалка 速查表"_s << QString();
}

void TestPageFiller::fileNameProblem()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);

    QCOMPARE(FileNameProblem(name), problem);
}

void TestPageFiller::hyphenatedName()
{
    // Only the plain space changes: not tabs, not no-break spaces.
    QCOMPARE(HyphenatedName(u" a  b\tc\u00A0d "_s), u"-a--b\tc\u00A0d-"_s);
}

void TestPageFiller::formOutputPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("pdf");

    QTest::newRow("template") << u"template"_s << u"/bin/etemplate.html"_s << u"/bin/output/template.pdf"_s;
    QTest::newRow("link to template") << u"alias"_s << u"/bin/ealias.html"_s << u"/bin/output/alias.pdf"_s;
}

void TestPageFiller::formOutputPaths()
{
    QFETCH(QString, name);
    QFETCH(QString, page);
    QFETCH(QString, pdf);

    TestInstallation install;
    QVERIFY(install.isValid());
    QVERIFY(QFile::link(install.path(u"/bin/template.html"_s), install.path(u"/bin/alias.html"_s)));

    const OutputPaths paths = FormOutputPaths(install.folder(), name);
    QCOMPARE(paths.pagePath, install.path(page));
    QCOMPARE(paths.pdfPath, install.path(pdf));
}

void TestPageFiller::loadTemplates_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<bool>("disclaimerNeeded");

    QTest::newRow("snippet missing") << u"/bin/repeater.txt"_s << false;
    QTest::newRow("needed disclaimer missing") << u"/resources/tos.txt"_s << true;
}

void TestPageFiller::loadTemplates()
{
    QFETCH(QString, removed);
    QFETCH(bool, disclaimerNeeded);

    TestInstallation install;
    QVERIFY(install.isValid());
    const QString path = install.path(removed);
    QVERIFY(QFile::remove(path));

    PageTemplates templates{u"old page"_s, u"old snippet"_s, u"old terms"_s};
    const FileResult result = LoadTemplates(install.folder(), disclaimerNeeded, templates);
    QVERIFY(result.missing());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(templates.page, u"old page"_s);
    QCOMPARE(templates.snippet, u"old snippet"_s);
    QCOMPARE(templates.disclaimer, u"old terms"_s);
    if (disclaimerNeeded) {
        // A page without the disclaimer does not need its file.
        QVERIFY(LoadTemplates(install.folder(), false, templates).ok());
        QCOMPARE(templates.page, QString::fromUtf8(readAll(install.path(u"/bin/template.html"_s))));
    }
}

QTEST_GUILESS_MAIN(TestPageFiller)
#include "tst_pagefiller.moc"
