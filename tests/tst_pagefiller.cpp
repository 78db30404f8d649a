#include "TestSupport.h"
#include "build/OutputFiles.h"
#include "build/PageFiller.h"
#include "support/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::PageTemplates)
Q_DECLARE_METATYPE(orvanta::PageContent)

namespace {

const QString ClosingLiteral = QStringLiteral(
    "<script src= assets/js/jquery.min.js ></script><script src= assets/bootstrap/js/bootstrap.min.js ></script>"
    "<script src= https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js ></script>"
    "<script src= assets/js/stylish-portfolio.js ></script></body></html>");

const QString BasePage = QStringLiteral("<h1>#HEADLINE#</h1><h2>#SUBHEADLINE#</h2>[#REPEATER#]<f>#FOOTER#</f>#TOS#");
const QString BaseSnippet = QStringLiteral("<a href=\"#CTAURL#\">#CTATEXT#</a>");

PageTemplates templates(const QString& page = BasePage, const QString& snippet = BaseSnippet,
                        const QString& disclaimer = QStringLiteral("TERMS"))
{
    return {page, snippet, disclaimer};
}

PageContent content(const ResourceEntries& resources = {{QStringLiteral("T"), QStringLiteral("u")}})
{
    PageContent c;
    c.headline = QStringLiteral("H");
    c.subheadline = QStringLiteral("S");
    c.footer = QStringLiteral("F");
    c.resources = resources;
    return c;
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
    void closingBlock();
    void fillPage_data();
    void fillPage();
    void fileNameProblem_data();
    void fileNameProblem();
    void hyphenatedName_data();
    void hyphenatedName();
    void formOutputPaths_data();
    void formOutputPaths();
    void loadTemplates();
    void loadTemplatesFailure_data();
    void loadTemplatesFailure();
};

void TestPageFiller::closingBlock()
{
    QCOMPARE(ClosingBlock(), ClosingLiteral);
}

void TestPageFiller::fillPage_data()
{
    QTest::addColumn<PageTemplates>("templates");
    QTest::addColumn<PageContent>("content");
    QTest::addColumn<QString>("expected");

    const QString one = QStringLiteral("<a href=\"u\">T</a><br><br>");
    QTest::newRow("plain") << templates() << content() << page(QStringLiteral("H"), one);

    PageContent c = content();
    c.headline = QStringLiteral("see #FOOTER#");
    QTest::newRow("headline shows footer") << templates() << c << page(QStringLiteral("see F"), one);
    c = content();
    c.headline = QStringLiteral("[#SUBHEADLINE#]");
    QTest::newRow("headline shows subheadline") << templates() << c << page(QStringLiteral("[S]"), one);
    c = content();
    c.footer = QStringLiteral("#HEADLINE#");
    QTest::newRow("footer keeps headline token") << templates() << c << page(QStringLiteral("H"), one, c.footer);
    c = content();
    c.footer = QStringLiteral("{#REPEATER#}");
    QTest::newRow("footer shows resources") << templates() << c << page(QStringLiteral("H"), one, u'{' + one + u'}');

    c = content({{QStringLiteral("go #CTAURL#"), QStringLiteral("u")}});
    QTest::newRow("link text shows URL") << templates() << c
                                         << page(QStringLiteral("H"), QStringLiteral("<a href=\"u\">go u</a><br><br>"));
    c = content({{QStringLiteral("#FOOTER#"), QStringLiteral("#CTATEXT#")}});
    QTest::newRow("link text keeps footer, URL keeps text token")
        << templates() << c << page(QStringLiteral("H"), QStringLiteral("<a href=\"#CTATEXT#\">#FOOTER#</a><br><br>"));
    c = content({{QStringLiteral("T"), QStringLiteral("u")}});
    c.disclaimerEnabled = true;
    QTest::newRow("tokens in page template stay") << templates(QStringLiteral("#CTATEXT#|#CTAURL#|#REPEATER#")) << c
                                                  << QStringLiteral("#CTATEXT#|#CTAURL#|") + one;

    c = content({{QStringLiteral("A"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("2")}});
    c.disclaimerEnabled = true;
    QTest::newRow("disclaimer in every snippet")
        << templates(QStringLiteral("#REPEATER#"), QStringLiteral("#CTATEXT#(#TOS#)")) << c
        << QStringLiteral("A(TERMS)<br><br>B(TERMS)<br><br>");
    c = content();
    c.disclaimerEnabled = true;
    QTest::newRow("disclaimer gets closing block")
        << templates(QStringLiteral("<p>#TOS#</p>#CLOSE#"), BaseSnippet, QStringLiteral("end:#CLOSE#")) << c
        << QStringLiteral("<p>end:") + ClosingLiteral + QStringLiteral("</p>") + ClosingLiteral;
    QTest::newRow("without close token nothing appended")
        << templates(QStringLiteral("<body>#HEADLINE#</body>")) << content() << QStringLiteral("<body>H</body>");

    QTest::newRow("repeater twice") << templates(QStringLiteral("#REPEATER#|#REPEATER#")) << content()
                                    << one + u'|' + one;
    QTest::newRow("no repeater token") << templates(QStringLiteral("<h1>#HEADLINE#</h1>")) << content()
                                       << QStringLiteral("<h1>H</h1>");
    QTest::newRow("lower-case token stays")
        << templates(QStringLiteral("#headline#|#HEADLINE#")) << content() << QStringLiteral("#headline#|H");
    c = content();
    c.headline = QStringLiteral("Q&A <b>bold</b> &amp;");
    QTest::newRow("markup unescaped") << templates() << c << page(c.headline, one);

    c = content();
    QTest::newRow("disclaimer unticked") << templates() << c << page(QStringLiteral("H"), one);
    c.disclaimerEnabled = true;
    QTest::newRow("disclaimer ticked") << templates() << c
                                       << page(QStringLiteral("H"), one, QStringLiteral("F"), QStringLiteral("TERMS"));
    QTest::newRow("multi-line disclaimer")
        << templates(BasePage, BaseSnippet, QStringLiteral("line 1\n\nline 2\r\nline 3")) << c
        << page(QStringLiteral("H"), one, QStringLiteral("F"), QStringLiteral("line 1\n\nline 2\r\nline 3"));

    c = content();
    c.textBelowEachResource = true;
    c.belowResourceText = QStringLiteral("note");
    QTest::newRow("text below") << templates() << c
                                << page(QStringLiteral("H"),
                                        QStringLiteral("<a href=\"u\">T</a><br><i><p>note</p></i>"));
    c.belowResourceText.clear();
    QTest::newRow("empty text below") << templates() << c
                                      << page(QStringLiteral("H"),
                                              QStringLiteral("<a href=\"u\">T</a><br><i><p></p></i>"));
    c.belowResourceText = QStringLiteral("ignored");
    c.textBelowEachResource = false;
    QTest::newRow("text below unticked") << templates() << c << page(QStringLiteral("H"), one);

    c = content({{QStringLiteral("B"), QStringLiteral("2")},
                 {QStringLiteral("A"), QStringLiteral("1")},
                 {QStringLiteral("B"), QStringLiteral("2")}});
    QTest::newRow("list order and duplicates")
        << templates(QStringLiteral("#REPEATER#"), QStringLiteral("#CTATEXT#=#CTAURL#;")) << c
        << QStringLiteral("B=2;<br><br>A=1;<br><br>B=2;<br><br>");
    c = content({{QStringLiteral("a---b"), QStringLiteral("https://x.test/?q=---&r=1")}});
    QTest::newRow("separator in text and URL")
        << templates() << c
        << page(QStringLiteral("H"), QStringLiteral("<a href=\"https://x.test/"
                                                    "?q=---&r=1\">a---b</a><br><br>"));
    QTest::newRow("no resources") << templates() << content({}) << page(QStringLiteral("H"), QString());
}

void TestPageFiller::fillPage()
{
    QFETCH(PageTemplates, templates);
    QFETCH(PageContent, content);
    QFETCH(QString, expected);

    QCOMPARE(FillPage(templates, content), expected);
}

void TestPageFiller::fileNameProblem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");

    QTest::newRow("slash") << QStringLiteral("a/b") << true;
    QTest::newRow("leading slash") << QStringLiteral("/etc") << true;
    QTest::newRow("NUL") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b") << true;
    QTest::newRow("dot") << QStringLiteral(".") << true;
    QTest::newRow("dot dot") << QStringLiteral("..") << true;
    QTest::newRow("250 characters") << QString(250, u'a') << false;
    QTest::newRow("251 characters") << QString(251, u'a') << true;
    QTest::newRow("125 two-byte letters") << QString(125, QChar(0xE9)) << false;
    QTest::newRow("126 two-byte letters") << QString(126, QChar(0xE9)) << true;
    QTest::newRow("250 with spaces") << QString(125, u' ') + QString(125, u'b') << false;
    QTest::newRow("quotes and shell characters") << QStringLiteral("it's \"x\" $HOME; `ls` & | <>") << false;
    QTest::newRow("non-Latin") << QStringLiteral("шпаргалка 速查表") << false;
    QTest::newRow("leading hyphen") << QStringLiteral("-rf") << false;
    QTest::newRow("three dots") << QStringLiteral("...") << false;
    QTest::newRow("dot in name") << QStringLiteral("my.sheet") << false;
}

void TestPageFiller::fileNameProblem()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);

    const QString problem = FileNameProblem(name);
    QCOMPARE(!problem.isEmpty(), refused);
}

void TestPageFiller::hyphenatedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("spaces") << QStringLiteral("my cheat sheet") << QStringLiteral("my-cheat-sheet");
    QTest::newRow("double and outer spaces") << QStringLiteral(" a  b ") << QStringLiteral("-a--b-");
    QTest::newRow("tab stays") << QStringLiteral("a\tb") << QStringLiteral("a\tb");
    QTest::newRow("no-break space stays") << QStringLiteral("a\u00A0b") << QStringLiteral("a\u00A0b");
    QTest::newRow("other characters stay") << QStringLiteral("Ünï_c0de.$x") << QStringLiteral("Ünï_c0de.$x");
}

void TestPageFiller::hyphenatedName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QCOMPARE(HyphenatedName(name), expected);
}

void TestPageFiller::formOutputPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("pdf");

    QTest::newRow("plain") << QStringLiteral("my-cheat-sheet") << QStringLiteral("/bin/my-cheat-sheet.html")
                           << QStringLiteral("/bin/output/my-cheat-sheet.pdf");
    QTest::newRow("template") << QStringLiteral("template") << QStringLiteral("/bin/etemplate.html")
                              << QStringLiteral("/bin/output/template.pdf");
    QTest::newRow("other case") << QStringLiteral("Template") << QStringLiteral("/bin/Template.html")
                                << QStringLiteral("/bin/output/Template.pdf");
    QTest::newRow("link to template") << QStringLiteral("alias") << QStringLiteral("/bin/ealias.html")
                                      << QStringLiteral("/bin/output/alias.pdf");
    QTest::newRow("repeater name is free") << QStringLiteral("repeater") << QStringLiteral("/bin/repeater.html")
                                           << QStringLiteral("/bin/output/repeater.pdf");
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

    if (name == u"Template" && QFile::exists(install.path(QStringLiteral("/bin/Template.html"))))
        QSKIP("this file system ignores case");

    const OutputPaths paths = FormOutputPaths(install.folder(), name);
    QCOMPARE(paths.pagePath, install.path(page));
    QCOMPARE(paths.pdfPath, install.path(pdf));
}

void TestPageFiller::loadTemplates()
{
    TestInstallation install;
    QVERIFY(install.isValid());
    QVERIFY(writeAll(install.path(QStringLiteral("/bin/template.html")), QByteArrayLiteral("PAGE #REPEATER#")));
    QVERIFY(writeAll(install.path(QStringLiteral("/bin/repeater.txt")), QByteArrayLiteral("SNIPPET\r\n")));
    QVERIFY(writeAll(install.path(QStringLiteral("/resources/tos.txt")), QByteArrayLiteral("TERMS \xC3\xA9")));

    PageTemplates loaded;
    FileResult result = LoadTemplates(install.folder(), true, loaded);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(loaded.page, QStringLiteral("PAGE #REPEATER#"));
    QCOMPARE(loaded.snippet, QStringLiteral("SNIPPET\r\n"));
    QCOMPARE(loaded.disclaimer, QStringLiteral("TERMS é"));

    // Without the disclaimer its file may be missing.
    QVERIFY(QFile::remove(install.path(QStringLiteral("/resources/tos.txt"))));
    PageTemplates withoutTerms;
    result = LoadTemplates(install.folder(), false, withoutTerms);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(withoutTerms.page, loaded.page);
    QCOMPARE(withoutTerms.snippet, loaded.snippet);
}

void TestPageFiller::loadTemplatesFailure_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<bool>("disclaimerNeeded");

    QTest::newRow("snippet") << QStringLiteral("/bin/repeater.txt") << false;
    QTest::newRow("page") << QStringLiteral("/bin/template.html") << false;
    QTest::newRow("page, disclaimer needed") << QStringLiteral("/bin/template.html") << true;
    QTest::newRow("disclaimer needed") << QStringLiteral("/resources/tos.txt") << true;
}

void TestPageFiller::loadTemplatesFailure()
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
}

QTEST_GUILESS_MAIN(TestPageFiller)
#include "tst_pagefiller.moc"
