#include "core/KeywordResources.h"
#include "core/ResourceList.h"

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
    list.append({QStringLiteral("B"), QStringLiteral("https://b.test")});
    list.append(ResourceEntries{{QStringLiteral("A"), QStringLiteral("https://a.test")},
                                {QStringLiteral("B"), QStringLiteral("https://b.test")},
                                {QStringLiteral("x---y"), QStringLiteral("u---v")}});
    list.append(ResourceEntries{});
    QCOMPARE(shown(list), (QStringList{QStringLiteral("B---https://b.test"), QStringLiteral("A---https://a.test"),
                                       QStringLiteral("B---https://b.test"), QStringLiteral("x---y---u---v")}));
    // The entry keeps its two parts, whatever the display shows.
    QCOMPARE(list.at(3), (ResourceEntry{QStringLiteral("x---y"), QStringLiteral("u---v")}));

    list.removeAt(1);
    list.removeAt(-1);
    list.removeAt(3);
    QCOMPARE(shown(list), (QStringList{QStringLiteral("B---https://b.test"), QStringLiteral("B---https://b.test"),
                                       QStringLiteral("x---y---u---v")}));
    list.clear();
    QVERIFY(list.isEmpty());
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
