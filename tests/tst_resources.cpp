// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ResourceList.h"
#include "sheet/ResourceText.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;
using namespace Qt::StringLiterals;

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
    QStringList texts; // "text|url", "text|url|description", or "## title" for a heading
    for (const ResourceEntry& entry : entries)
        texts.append(entry.heading ? u"## "_s + entry.linkText
                                   : QStringList{entry.linkText, entry.linkUrl, entry.description}.join(u'|').chopped(
                                         entry.description.isEmpty() ? 1 : 0));
    return texts;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The tester checks every signal the model sends against what a view expects.
    void listEdits()
    {
        ResourceList list;
        QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto entry = [](const char* text) { return ResourceEntry{QString::fromLatin1(text), u"u"_s}; };
        list.append({entry("a"), entry("b"), entry("c")});
        list.insertAt({0, 2, 3, 6}, {entry("w"), entry("x"), entry("y"), entry("z")});
        QCOMPARE(shown(list).join(u' '), u"w---u a---u x---u y---u b---u c---u z---u"_s);
        const QModelIndex stale = list.index(3);
        QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
        QCOMPARE(list.removeAt({6, 0, 3, 2, 3, 7}), (ResourceEntries{entry("w"), entry("x"), entry("y"), entry("z")}));
        QCOMPARE(removed.count(), 3);                          // a run of neighbouring rows at a time
        QVERIFY(!list.data(stale, Qt::DisplayRole).isValid()); // an index kept past its row's removal
        list.replace(1, entry("B"));
        list.replace(3, entry("ignored"));
        QCOMPARE(shown(list).join(u' '), u"a---u B---u c---u"_s);

        // A reorder keeps indexes on their entries, as a view's selection does.
        const QPersistentModelIndex c = list.index(2);
        list.reorder({2, 0, 1});
        QCOMPARE(shown(list).join(u' '), u"c---u a---u B---u"_s);
        QCOMPARE(c.row(), 0);
        list.setEntries({entry("x---y")});
        QCOMPARE(list.at(0), entry("x---y"));
    }

    void movedAndDroppedOrder_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("delta"); // 0: dropped before `destination`
        QTest::addColumn<int>("destination");
        QTest::addColumn<QList<int>>("order"); // of five rows

        QTest::newRow("up: a block") << QList<int>{2, 3} << -1 << 0 << QList<int>{0, 2, 3, 1, 4};
        QTest::newRow("up: the top one stays, the rest moves")
            << QList<int>{0, 2, 4} << -1 << 0 << QList<int>{0, 2, 1, 4, 3};
        QTest::newRow("up: held up at the top") << QList<int>{0, 1} << -1 << 0 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("down: a block") << QList<int>{1, 2} << 1 << 0 << QList<int>{0, 3, 1, 2, 4};
        QTest::newRow("nothing selected") << QList<int>{} << 1 << 0 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("rows outside the list") << QList<int>{-1, 5, 1} << 1 << 0 << QList<int>{0, 2, 1, 3, 4};
        QTest::newRow("drop at the top") << QList<int>{1, 3} << 0 << 0 << QList<int>{1, 3, 0, 2, 4};
        QTest::newRow("drop at the end") << QList<int>{0, 2} << 0 << 5 << QList<int>{1, 3, 4, 0, 2};
        QTest::newRow("drop onto itself") << QList<int>{2} << 0 << 2 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("drop between the moved ones") << QList<int>{1, 3} << 0 << 3 << QList<int>{0, 2, 1, 3, 4};
    }

    void movedAndDroppedOrder()
    {
        QFETCH(QList<int>, rows);
        QFETCH(int, delta);
        QFETCH(int, destination);
        QFETCH(QList<int>, order);
        QCOMPARE(delta ? MovedOrder(5, rows, delta) : DroppedOrder(5, rows, destination), order);
    }

    void fromLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("skipped");

        const auto row = [](const char* tag, const QString& text, const QStringList& entries,
                            const QList<int>& skipped) { QTest::newRow(tag) << text << entries << skipped; };
        row("spreadsheet, Windows line breaks, blank lines", u"A\thttps://a.test\r\n\r\n  \r\nB c\tu\t\t\r\n"_s,
            {u"A|https://a.test"_s, u"B c|u"_s}, {});
        row("Markdown, with list marks", u"[A](https://a.test)\n- [B [1]](u)\n2. [C](v)"_s,
            {u"A|https://a.test"_s, u"B [1]|u"_s, u"C|v"_s}, {});
        row("--- at the last split before a URL",
            u"Part A---Part B---https://x.test\nT---https://y.test/a---b\nT---http://"_s,
            {u"Part A---Part B|https://x.test"_s, u"T|https://y.test/a---b"_s, u"T|http://"_s}, {});
        row("bare URLs", u"https://example.com/page\nHTTP://x.test"_s,
            {u"example.com/page|https://example.com/page"_s, u"x.test|HTTP://x.test"_s}, {});
        row("lines in no form are skipped, not guessed",
            u"just words\n\t\na\tb\tc\td\nno---url\n---https://x.test\nftp://x.test\n[a](b) [c](d)\nok\thttps://ok.test"_s,
            {u"ok|https://ok.test"_s}, {1, 3, 4, 5, 6, 7});
        row("spreadsheet: a third cell is the description", u"A\thttps://a.test\tFor <b>#1</b>\nB\tu\t\t\nC\tv\t\td"_s,
            {u"A|https://a.test|For <b>#1</b>"_s, u"B|u"_s}, {3});
        row("headings: \"## \" and a title; a tab makes a link",
            u"## Tools\n  ## Speed  tests \n##\n##Tight\n### Deeper\n## \n## A\thttps://a.test"_s,
            {u"## Tools"_s, u"## Speed  tests"_s, u"## A|https://a.test"_s}, {3, 4, 5, 6});
        row("NUL and a broken surrogate pair", u"a\tb"_s + QChar(0) + u"\nc"_s + QChar(0xD800) + u"\thttps://c.test"_s,
            {}, {1, 2});
        // CSV, as spreadsheets write it.
        row("csv: header, quotes, commas, line breaks in fields",
            u"text,url\r\n\"Tools, free\",https://a.test\r\n\"Say \"\"hi\"\"\",\"u\"\r\n\"two\nlines\",v\n"_s,
            {u"Tools, free|https://a.test"_s, u"Say \"hi\"|u"_s, u"two\nlines|v"_s}, {});
        row("csv: a heading is a record of one field", u"## Tools\n\"## Free, fast\"\n##\na,b"_s,
            {u"## Tools"_s, u"## Free, fast"_s, u"a|b"_s}, {3});
        row("csv: a description in a third column", u"Text,URL,Description\na,b,\"c, d\"\ne,f,"_s,
            {u"a|b|c, d"_s, u"e|f"_s}, {});
        row("csv: records that are not two fields", u"\"a\nb\",b,c,d\n\nonly\n,u\nd,e"_s, {u"d|e"_s}, {1, 4, 5});
    }

    void fromLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, skipped);
        const bool csv = QString::fromLatin1(QTest::currentDataTag()).startsWith(u"csv"_s);
        const ReadResources read = csv ? ResourcesFromCsv(text) : ResourcesFromLines(text);
        QCOMPARE(pairs(read.entries), entries);
        QCOMPARE(read.skippedLines, skipped);
        // What Copy puts on the clipboard reads back the same, but for a line break inside a field.
        QCOMPARE(pairs(ResourcesFromLines(ResourcesToLines(read.entries)).entries).join(u'|').replace(u'\n', u' '),
                 entries.join(u'|').replace(u'\n', u' '));
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
