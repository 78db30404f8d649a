#include "resourcelist/KeywordResources.h"
#include "resourcelist/ResourceList.h"

#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

namespace {

ResourceEntry entry(const QString& text, const QString& url)
{
    return {text, url};
}

QStringList shown(const ResourceList& list)
{
    QStringList rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows.append(list.data(list.index(row), Qt::DisplayRole).toString());
    return rows;
}

QStringList titles(const ResourceEntries& entries)
{
    QStringList out;
    for (const ResourceEntry& e : entries)
        out.append(e.linkText);
    return out;
}

QStringList urls(const ResourceEntries& entries)
{
    QStringList out;
    for (const ResourceEntry& e : entries)
        out.append(e.linkUrl);
    return out;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void appendKeepsOrderAndDuplicates();
    void removeAt_data();
    void removeAt();
    void clear();
    void dataOutsideRows();
    void batchAppendIsOneInsertion();
    void keywordsFromText_data();
    void keywordsFromText();
    void generatedResources_data();
    void generatedResources();
};

void TestResources::appendKeepsOrderAndDuplicates()
{
    ResourceList list;
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.append(entry(QStringLiteral("B"), QStringLiteral("https://b.test")));
    list.append(entry(QStringLiteral("A"), QStringLiteral("https://a.test")));
    list.append(entry(QStringLiteral("B"), QStringLiteral("https://b.test")));
    list.append(entry(QStringLiteral("x---y"), QStringLiteral("u---v")));

    QCOMPARE(list.count(), 4);
    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(shown(list), (QStringList{QStringLiteral("B---https://b.test"), QStringLiteral("A---https://a.test"),
                                       QStringLiteral("B---https://b.test"), QStringLiteral("x---y---u---v")}));
    // The entry keeps its two parts, whatever the display shows.
    QCOMPARE(list.at(3), entry(QStringLiteral("x---y"), QStringLiteral("u---v")));
    QCOMPARE(inserted.count(), 4);
    QCOMPARE(inserted.at(3).at(1).toInt(), 3);
    QCOMPARE(inserted.at(3).at(2).toInt(), 3);
    QCOMPARE(list.rowCount(list.index(0)), 0);
}

void TestResources::removeAt_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");

    const QString a = QStringLiteral("a---1"), b = QStringLiteral("b---2"), c = QStringLiteral("c---3");
    QTest::newRow("middle") << 1 << QStringList{a, c};
    QTest::newRow("first") << 0 << QStringList{b, c};
    QTest::newRow("last") << 2 << QStringList{a, b};
    QTest::newRow("negative") << -1 << QStringList{a, b, c};
    QTest::newRow("past the end") << 3 << QStringList{a, b, c};
}

void TestResources::removeAt()
{
    QFETCH(int, index);
    QFETCH(QStringList, expected);

    ResourceList list;
    list.append(ResourceEntries{entry(QStringLiteral("a"), QStringLiteral("1")),
                                entry(QStringLiteral("b"), QStringLiteral("2")),
                                entry(QStringLiteral("c"), QStringLiteral("3"))});
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
    list.removeAt(index);

    QCOMPARE(shown(list), expected);
    const bool inRange = expected.size() == 2;
    QCOMPARE(removed.count(), inRange ? 1 : 0);
    if (inRange) {
        QCOMPARE(removed.at(0).at(1).toInt(), index);
        QCOMPARE(removed.at(0).at(2).toInt(), index);
    }
}

void TestResources::clear()
{
    ResourceList list;
    list.append(ResourceEntries(3, entry(QStringLiteral("a"), QStringLiteral("1"))));
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    list.clear();
    QVERIFY(list.isEmpty());
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(reset.count(), 1);

    list.append(entry(QStringLiteral("b"), QStringLiteral("2")));
    QCOMPARE(shown(list), QStringList{QStringLiteral("b---2")});
}

void TestResources::dataOutsideRows()
{
    ResourceList list;
    list.append(entry(QStringLiteral("a"), QStringLiteral("1")));
    QCOMPARE(list.data(list.index(0), Qt::ToolTipRole).toString(), QStringLiteral("a---1"));
    QVERIFY(!list.data(list.index(0), Qt::EditRole).isValid());
    QVERIFY(!list.data(list.index(1), Qt::DisplayRole).isValid());
    QVERIFY(!list.data(QModelIndex(), Qt::DisplayRole).isValid());
}

void TestResources::batchAppendIsOneInsertion()
{
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines.append(QStringLiteral("keyword %1").arg(i));
    const ResourceEntries generated = VideoResources(lines.join(u'\n'), QStringLiteral("#KEYWORD#"));
    QCOMPARE(generated.size(), 10000);

    ResourceList list;
    list.append(entry(QStringLiteral("first"), QStringLiteral("0")));
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.append(generated);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 1);
    QCOMPARE(inserted.at(0).at(2).toInt(), 10000);
    QCOMPARE(list.count(), 10001);
    QCOMPARE(list.at(10000).linkText, QStringLiteral("keyword 9999"));

    list.append(ResourceEntries{});
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(list.count(), 10001);
}

void TestResources::keywordsFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("LF") << QStringLiteral("one\ntwo") << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("CR LF") << QStringLiteral("one\r\ntwo\r\n")
                           << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("blank lines") << QStringLiteral("\none\n\n   \ntwo\r\n  \r\n\n")
                                 << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("spaces kept") << QStringLiteral("  lead\ntrail  \n in side ")
                                 << QStringList{QStringLiteral("  lead"), QStringLiteral("trail  "),
                                                QStringLiteral(" in side ")};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("only line breaks") << QStringLiteral("\r\n\n\r\n") << QStringList{};
    QTest::newRow("duplicates kept") << QStringLiteral("x\nx") << QStringList{QStringLiteral("x"), QStringLiteral("x")};
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

    const QString discussions = QStringLiteral("Discussions: #KEYWORD#");
    QTest::newRow("space") << QStringLiteral("fast hosting") << discussions
                           << QStringList{QStringLiteral("Discussions: fast hosting")}
                           << QStringList{QStringLiteral("fast hosting")}
                           << QStringList{QStringLiteral("fast+hosting")};
    QTest::newRow("video title") << QStringLiteral("speed test") << QStringLiteral("Video Tutorials: #KEYWORD#")
                                 << QStringList{QStringLiteral("Video Tutorials: speed test")}
                                 << QStringList{QStringLiteral("speed test")}
                                 << QStringList{QStringLiteral("speed+test")};
    QTest::newRow("plus") << QStringLiteral("C++") << discussions << QStringList{QStringLiteral("Discussions: C++")}
                          << QStringList{QStringLiteral("C%2B%2B")} << QStringList{QStringLiteral("C%2B%2B")};
    QTest::newRow("query characters") << QStringLiteral("R&D\n#1\n100%\nwhat?\na=b/c") << QStringLiteral("#KEYWORD#")
                                      << QStringList{QStringLiteral("R&D"), QStringLiteral("#1"),
                                                     QStringLiteral("100%"), QStringLiteral("what?"),
                                                     QStringLiteral("a=b/c")}
                                      << QStringList{QStringLiteral("R%26D"), QStringLiteral("%231"),
                                                     QStringLiteral("100%25"), QStringLiteral("what%3F"),
                                                     QStringLiteral("a%3Db%2Fc")}
                                      << QStringList{QStringLiteral("R%26D"), QStringLiteral("%231"),
                                                     QStringLiteral("100%25"), QStringLiteral("what%3F"),
                                                     QStringLiteral("a%3Db%2Fc")};
    QTest::newRow("non-ASCII") << QStringLiteral("café au lait") << discussions
                               << QStringList{QStringLiteral("Discussions: café au lait")}
                               << QStringList{QStringLiteral("caf%C3%A9 au lait")}
                               << QStringList{QStringLiteral("caf%C3%A9+au+lait")};
    QTest::newRow("unreserved stay") << QStringLiteral("a-b_c.d~e") << discussions
                                     << QStringList{QStringLiteral("Discussions: a-b_c.d~e")}
                                     << QStringList{QStringLiteral("a-b_c.d~e")}
                                     << QStringList{QStringLiteral("a-b_c.d~e")};
    QTest::newRow("format without placeholder")
        << QStringLiteral("one\ntwo") << QStringLiteral("Same title")
        << QStringList{QStringLiteral("Same title"), QStringLiteral("Same title")}
        << QStringList{QStringLiteral("one"), QStringLiteral("two")}
        << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("placeholder twice, lines in order")
        << QStringLiteral("b\r\n\r\na\n") << QStringLiteral("#KEYWORD# / #KEYWORD#")
        << QStringList{QStringLiteral("b / b"), QStringLiteral("a / a")}
        << QStringList{QStringLiteral("b"), QStringLiteral("a")}
        << QStringList{QStringLiteral("b"), QStringLiteral("a")};
    QTest::newRow("keyword holding placeholder and markers")
        << QStringLiteral("#KEYWORD# %1") << QStringLiteral("[#KEYWORD#]")
        << QStringList{QStringLiteral("[#KEYWORD# %1]")} << QStringList{QStringLiteral("%23KEYWORD%23 %251")}
        << QStringList{QStringLiteral("%23KEYWORD%23+%251")};
    QTest::newRow("blank only") << QStringLiteral(" \n\n") << discussions << QStringList{} << QStringList{}
                                << QStringList{};
}

void TestResources::generatedResources()
{
    QFETCH(QString, keywords);
    QFETCH(QString, format);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, discussionQueries);
    QFETCH(QStringList, videoQueries);

    QStringList discussionUrls, videoUrls;
    for (const QString& query : discussionQueries)
        discussionUrls.append(QStringLiteral("https://www.quora.com/search?q=") + query);
    for (const QString& query : videoQueries)
        videoUrls.append(QStringLiteral("https://www.youtube.com/results?search_query=") + query);

    const ResourceEntries discussion = DiscussionResources(keywords, format);
    QCOMPARE(::titles(discussion), titles);
    QCOMPARE(urls(discussion), discussionUrls);

    const ResourceEntries video = VideoResources(keywords, format);
    QCOMPARE(::titles(video), titles);
    QCOMPARE(urls(video), videoUrls);
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
