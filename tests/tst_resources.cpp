#include "core/KeywordResources.h"
#include "core/ResourceList.h"
#include "core/ResourceText.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace orvanta;

namespace {

QStringList shown(const ResourceList& list)
{
    QStringList rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows.append(list.data(list.index(row), Qt::DisplayRole).toString());
    return rows;
}

QStringList pairs(const ResourceEntries& entries)
{
    QStringList texts;
    for (const ResourceEntry& entry : entries)
        texts.append(entry.linkText + u'|' + entry.linkUrl);
    return texts;
}

QStringList displayed(const ResourceEntries& entries)
{
    QStringList rows;
    for (const ResourceEntry& entry : entries)
        rows.append(entry.displayText());
    return rows;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listEdits();
    void movedAndDroppedOrder_data();
    void movedAndDroppedOrder();
    void fromLines_data();
    void fromLines();
    void fromCsv_data();
    void fromCsv();
    void keywordsFromText_data();
    void keywordsFromText();
    void generatedResources_data();
    void generatedResources();
};

// The tester checks every signal the model sends against what a view expects.
void TestResources::listEdits()
{
    ResourceList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const auto entry = [](const char* text) { return ResourceEntry{QString::fromLatin1(text), QStringLiteral("u")}; };
    list.append({entry("a"), entry("b"), entry("c")});
    list.insertAt({0, 2, 3, 6}, {entry("w"), entry("x"), entry("y"), entry("z")});
    QCOMPARE(shown(list).join(u' '), QStringLiteral("w---u a---u x---u y---u b---u c---u z---u"));
    QCOMPARE(list.removeAt({6, 0, 3, 2, 3, 99}), (ResourceEntries{entry("w"), entry("x"), entry("y"), entry("z")}));
    list.replace(1, entry("B"));
    list.replace(3, entry("ignored"));
    QCOMPARE(shown(list).join(u' '), QStringLiteral("a---u B---u c---u"));

    // A reorder keeps indexes on their entries, as a view's selection does.
    const QPersistentModelIndex c = list.index(2);
    list.reorder({2, 0, 1});
    QCOMPARE(shown(list).join(u' '), QStringLiteral("c---u a---u B---u"));
    QCOMPARE(c.row(), 0);
    list.setEntries({entry("x---y")});
    QCOMPARE(list.at(0), entry("x---y"));
}

void TestResources::movedAndDroppedOrder_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("delta");       // 0: dropped before `destination`
    QTest::addColumn<int>("destination");
    QTest::addColumn<QList<int>>("order"); // of five rows

    QTest::newRow("up: one") << QList<int>{2} << -1 << 0 << QList<int>{0, 2, 1, 3, 4};
    QTest::newRow("up: a block") << QList<int>{2, 3} << -1 << 0 << QList<int>{0, 2, 3, 1, 4};
    QTest::newRow("up: the top one stays, the rest moves") << QList<int>{0, 2, 4} << -1 << 0
                                                           << QList<int>{0, 2, 1, 4, 3};
    QTest::newRow("up: held up at the top") << QList<int>{0, 1} << -1 << 0 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("down: a block") << QList<int>{1, 2} << 1 << 0 << QList<int>{0, 3, 1, 2, 4};
    QTest::newRow("down: held up at the bottom") << QList<int>{3, 4} << 1 << 0 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("nothing selected") << QList<int>{} << 1 << 0 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("drop at the top") << QList<int>{1, 3} << 0 << 0 << QList<int>{1, 3, 0, 2, 4};
    QTest::newRow("drop at the end") << QList<int>{0, 2} << 0 << 5 << QList<int>{1, 3, 4, 0, 2};
    QTest::newRow("drop onto itself") << QList<int>{2} << 0 << 2 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("drop between the moved ones") << QList<int>{1, 3} << 0 << 3 << QList<int>{0, 2, 1, 3, 4};
}

void TestResources::movedAndDroppedOrder()
{
    QFETCH(QList<int>, rows);
    QFETCH(int, delta);
    QFETCH(int, destination);
    QFETCH(QList<int>, order);
    QCOMPARE(delta ? MovedOrder(5, rows, delta) : DroppedOrder(5, rows, destination), order);
}

void TestResources::fromLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries"); // "text|url"
    QTest::addColumn<QList<int>>("skipped");

    const auto row = [](const char* tag, const QString& text, const QStringList& entries, const QList<int>& skipped) {
        QTest::newRow(tag) << text << entries << skipped;
    };
    row("spreadsheet, Windows line breaks, blank lines", QStringLiteral("A\thttps://a.test\r\n\r\n  \r\nB c\tu\t\t\r\n"),
        {QStringLiteral("A|https://a.test"), QStringLiteral("B c|u")}, {});
    row("Markdown, with list marks", QStringLiteral("[A](https://a.test)\n- [B [1]](u)\n2. [C](v)"),
        {QStringLiteral("A|https://a.test"), QStringLiteral("B [1]|u"), QStringLiteral("C|v")}, {});
    row("--- at the last split before a URL",
        QStringLiteral("Part A---Part B---https://x.test\nT---https://y.test/a---b\nT---http://"),
        {QStringLiteral("Part A---Part B|https://x.test"), QStringLiteral("T|https://y.test/a---b"),
         QStringLiteral("T|http://")},
        {});
    row("bare URLs", QStringLiteral("https://example.com/page\nHTTP://x.test"),
        {QStringLiteral("example.com/page|https://example.com/page"), QStringLiteral("x.test|HTTP://x.test")}, {});
    row("lines in no form are skipped, not guessed",
        QStringLiteral("just words\n\t\na\tb\tc\nno---url\n---https://x.test\nftp://x.test\nok\thttps://ok.test"),
        {QStringLiteral("ok|https://ok.test")}, {1, 3, 4, 5, 6});
    row("NUL and a broken surrogate pair", QStringLiteral("a\tb") + QChar(0) + QStringLiteral("\nc") +
                                              QChar(0xD800) + QStringLiteral("\thttps://c.test"),
        {}, {1, 2});
}

void TestResources::fromLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, skipped);
    const ReadResources read = ResourcesFromLines(text);
    QCOMPARE(pairs(read.entries), entries);
    QCOMPARE(read.skippedLines, skipped);
    // What Copy puts on the clipboard reads back the same.
    QCOMPARE(ResourcesFromLines(ResourcesToLines(read.entries)).entries, read.entries);
}

void TestResources::fromCsv_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<int>>("skipped");

    QTest::newRow("header, quotes, commas, line breaks in fields")
        << QStringLiteral("text,url\r\n\"Tools, free\",https://a.test\r\n\"Say \"\"hi\"\"\",\"u\"\r\n\"two\nlines\",v\n")
        << QStringList{QStringLiteral("Tools, free|https://a.test"), QStringLiteral("Say \"hi\"|u"),
                       QStringLiteral("two\nlines|v")}
        << QList<int>{};
    QTest::newRow("records that are not two fields") << QStringLiteral("a,b,c\n\nonly\n,u\nd,e")
                                                     << QStringList{QStringLiteral("d|e")} << QList<int>{1, 3, 4};
}

void TestResources::fromCsv()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, skipped);
    const ReadResources read = ResourcesFromCsv(text);
    QCOMPARE(pairs(read.entries), entries);
    QCOMPARE(read.skippedLines, skipped);
}

void TestResources::keywordsFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("blank lines, CR LF") << QStringLiteral("\none\n\n   \ntwo\r\n \t\r\n\n")
                                        << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("spaces and duplicates kept")
        << QStringLiteral("  lead\ntrail  \n in side \n in side ")
        << QStringList{QStringLiteral("  lead"), QStringLiteral("trail  "), QStringLiteral(" in side "),
                       QStringLiteral(" in side ")};
}

void TestResources::keywordsFromText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    QCOMPARE(KeywordsFromText(text), expected);
}

void TestResources::generatedResources_data()
{
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("discussionQueries");
    QTest::addColumn<QStringList>("videoQueries");

    const QStringList keywords{QStringLiteral("C++"),       QStringLiteral("R&D"),         QStringLiteral("#1"),
                               QStringLiteral("100%"),      QStringLiteral("what?"),       QStringLiteral("a=b/c"),
                               QStringLiteral("a-b_c.d~e"), QStringLiteral("café au lait")};
    const QStringList encoded{QStringLiteral("C%2B%2B"),  QStringLiteral("R%26D"),   QStringLiteral("%231"),
                              QStringLiteral("100%25"),   QStringLiteral("what%3F"), QStringLiteral("a%3Db%2Fc"),
                              QStringLiteral("a-b_c.d~e")};
    QTest::newRow("encoding, spaces") << keywords.join(u'\n') << QStringLiteral("#KEYWORD#") << keywords
                                      << encoded + QStringList{QStringLiteral("caf%C3%A9 au lait")}
                                      << encoded + QStringList{QStringLiteral("caf%C3%A9+au+lait")};
    QTest::newRow("placeholder twice, lines in order")
        << QStringLiteral("b\r\n\r\na\n") << QStringLiteral("Discussions: #KEYWORD# / #KEYWORD#")
        << QStringList{QStringLiteral("Discussions: b / b"), QStringLiteral("Discussions: a / a")}
        << QStringList{QStringLiteral("b"), QStringLiteral("a")}
        << QStringList{QStringLiteral("b"), QStringLiteral("a")};
    QTest::newRow("keyword holding placeholder and markers")
        << QStringLiteral("#KEYWORD# %1") << QStringLiteral("[#KEYWORD#]")
        << QStringList{QStringLiteral("[#KEYWORD# %1]")} << QStringList{QStringLiteral("%23KEYWORD%23 %251")}
        << QStringList{QStringLiteral("%23KEYWORD%23+%251")};
}

void TestResources::generatedResources()
{
    QFETCH(QString, keywords);
    QFETCH(QString, format);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, discussionQueries);
    QFETCH(QStringList, videoQueries);

    QStringList discussions, videos;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        discussions.append(titles.at(i) + QStringLiteral("---https://www.quora.com/search?q=") +
                           discussionQueries.at(i));
        videos.append(titles.at(i) + QStringLiteral("---https://www.youtube.com/results?search_query=") +
                      videoQueries.at(i));
    }
    QCOMPARE(displayed(DiscussionResources(keywords, format)), discussions);
    QCOMPARE(displayed(VideoResources(keywords, format)), videos);
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
