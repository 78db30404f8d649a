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

const QString Disclaimer = QStringLiteral("line 1\n\nline 2\r\nline 3");

PageTemplates templates(
    const QString& page = QStringLiteral("<h1>#HEADLINE#</h1><h2>#SUBHEADLINE#</h2>[#REPEATER#]<f>#FOOTER#</f>#TOS#"),
    const QString& snippet = QStringLiteral("<a href=\"#CTAURL#\">#CTATEXT#</a>"),
    const QString& disclaimer = Disclaimer)
{
    return {page, snippet, disclaimer};
}

Sheet content(const ResourceEntries& resources = {{QStringLiteral("T"), QStringLiteral("u")}})
{
    Sheet sheet;
    sheet.headline = QStringLiteral("H");
    sheet.subheadline = QStringLiteral("S");
    sheet.footer = QStringLiteral("F");
    sheet.resources = resources;
    return sheet;
}

QString page(const QString& headline, const QString& repeater, const QString& footer = QStringLiteral("F"),
             const QString& disclaimer = {})
{
    return QStringLiteral("<h1>%1</h1><h2>S</h2>[%2]<f>%3</f>%4").arg(headline, repeater, footer, disclaimer);
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

    const QString one = QStringLiteral("<a href=\"u\">T</a><br><br>");
    Sheet c = content();
    c.headline = QStringLiteral("Q&A <b>bold</b> &amp;");
    c.note = QStringLiteral("not ticked");
    QTest::newRow("markup as typed, nothing ticked") << templates() << c << page(c.headline, one);
    c = content();
    c.disclaimer = true;
    c.footer = QStringLiteral("#HEADLINE#");
    QTest::newRow("disclaimer ticked, footer keeps earlier token")
        << templates() << c << page(QStringLiteral("H"), one, c.footer, Disclaimer);

    // Later placeholders are filled inside earlier replacements: footer after headline, resources after footer.
    c = content();
    c.headline = QStringLiteral("see #FOOTER#");
    c.footer = QStringLiteral("{#REPEATER#}");
    QTest::newRow("headline shows footer shows resources")
        << templates() << c << page(QStringLiteral("see {") + one + u'}', one, u'{' + one + u'}');
    // #CTATEXT# is filled before #CTAURL#, and the footer before the resources are put in.
    c = content({{QStringLiteral("go #CTAURL#"), QStringLiteral("u")},
                 {QStringLiteral("#FOOTER#"), QStringLiteral("#CTATEXT#")}});
    QTest::newRow("link text shows URL, not the other way")
        << templates() << c
        << page(QStringLiteral("H"),
                QStringLiteral("<a href=\"u\">go u</a><br><br><a href=\"#CTATEXT#\">#FOOTER#</a><br><br>"));

    // The disclaimer is filled into every snippet, and the closing block into the disclaimer.
    c = content({{QStringLiteral("A"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("2")}});
    c.disclaimer = true;
    const QString terms = QStringLiteral("end:") + ClosingLiteral;
    QTest::newRow("disclaimer in snippets, closing block in disclaimer")
        << templates(QStringLiteral("#REPEATER#<p>#TOS#</p>#CLOSE#"), QStringLiteral("#CTATEXT#(#TOS#)"),
                     QStringLiteral("end:#CLOSE#"))
        << c << QStringLiteral("A(%1)<br><br>B(%1)<br><br><p>%1</p>%2").arg(terms, ClosingLiteral);

    QTest::newRow("repeater twice") << templates(QStringLiteral("#REPEATER#|#REPEATER#")) << content()
                                    << one + u'|' + one;
    QTest::newRow("no repeater or close token; resource and lower-case tokens stay")
        << templates(QStringLiteral("#CTATEXT#|#CTAURL#|#headline#|<h1>#HEADLINE#</h1>")) << content()
        << QStringLiteral("#CTATEXT#|#CTAURL#|#headline#|<h1>H</h1>");
    c = content({{QStringLiteral("A"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("2")}});
    c.noteBelowEachResource = true;
    c.note = QStringLiteral("note");
    QTest::newRow("text below each resource, in list order")
        << templates(QStringLiteral("#REPEATER#"), QStringLiteral("#CTATEXT#=#CTAURL#;")) << c
        << QStringLiteral("A=1;<br><i><p>note</p></i>B=2;<br><i><p>note</p></i>");
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

    const QString slash = QStringLiteral("The file name cannot contain \"/\". Please choose another name.");
    const QString reserved = QStringLiteral("\"%1\" cannot be used as a file name. Please choose another name.");
    const QString tooLong = QStringLiteral("The file name is too long. Please choose a shorter name.");
    QTest::newRow("slash") << QStringLiteral("a/b") << slash;
    QTest::newRow("NUL") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b") << slash;
    QTest::newRow("dot") << QStringLiteral(".") << reserved.arg(QStringLiteral("."));
    QTest::newRow("dot dot") << QStringLiteral("..") << reserved.arg(QStringLiteral(".."));
    QTest::newRow("three dots") << QStringLiteral("...") << QString();
    QTest::newRow("250 characters") << QString(250, u'a') << QString();
    QTest::newRow("251 characters") << QString(251, u'a') << tooLong;
    QTest::newRow("125 two-byte letters") << QString(125, QChar(0xE9)) << QString();
    QTest::newRow("126 two-byte letters") << QString(126, QChar(0xE9)) << tooLong;
    QTest::newRow("other characters") << QStringLiteral("-rf it's \"x\" $HOME; `ls` & | <> шпаргалка 速查表")
                                      << QString();
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
    QCOMPARE(HyphenatedName(QStringLiteral(" a  b\tc\u00A0d ")), QStringLiteral("-a--b\tc\u00A0d-"));
}

void TestPageFiller::formOutputPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("pdf");

    QTest::newRow("template") << QStringLiteral("template") << QStringLiteral("/bin/etemplate.html")
                              << QStringLiteral("/bin/output/template.pdf");
    QTest::newRow("link to template") << QStringLiteral("alias") << QStringLiteral("/bin/ealias.html")
                                      << QStringLiteral("/bin/output/alias.pdf");
}

void TestPageFiller::formOutputPaths()
{
    QFETCH(QString, name);
    QFETCH(QString, page);
    QFETCH(QString, pdf);

    TestInstallation install;
    QVERIFY(install.isValid());
    QVERIFY(QFile::link(install.path(QStringLiteral("/bin/template.html")),
                        install.path(QStringLiteral("/bin/alias.html"))));

    const OutputPaths paths = FormOutputPaths(install.folder(), name);
    QCOMPARE(paths.pagePath, install.path(page));
    QCOMPARE(paths.pdfPath, install.path(pdf));
}

void TestPageFiller::loadTemplates_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<bool>("disclaimerNeeded");

    QTest::newRow("snippet missing") << QStringLiteral("/bin/repeater.txt") << false;
    QTest::newRow("needed disclaimer missing") << QStringLiteral("/resources/tos.txt") << true;
}

void TestPageFiller::loadTemplates()
{
    QFETCH(QString, removed);
    QFETCH(bool, disclaimerNeeded);

    TestInstallation install;
    QVERIFY(install.isValid());
    const QString path = install.path(removed);
    QVERIFY(QFile::remove(path));

    PageTemplates templates{QStringLiteral("old page"), QStringLiteral("old snippet"), QStringLiteral("old terms")};
    const FileResult result = LoadTemplates(install.folder(), disclaimerNeeded, templates);
    QVERIFY(result.missing());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(templates.page, QStringLiteral("old page"));
    QCOMPARE(templates.snippet, QStringLiteral("old snippet"));
    QCOMPARE(templates.disclaimer, QStringLiteral("old terms"));
    if (disclaimerNeeded) {
        // A page without the disclaimer does not need its file.
        QVERIFY(LoadTemplates(install.folder(), false, templates).ok());
        QCOMPARE(templates.page, QString::fromUtf8(readAll(install.path(QStringLiteral("/bin/template.html")))));
    }
}

QTEST_GUILESS_MAIN(TestPageFiller)
#include "tst_pagefiller.moc"
