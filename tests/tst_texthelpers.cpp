#include "support/TextHelpers.h"

#include <QRandomGenerator>
#include <QTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::Comparison)

namespace {

// At each position either a match is replaced and skipped, or one character is copied.
QString referenceReplace(const QString& text, const QString& find, const QString& replacement, Comparison mode)
{
    if (find.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = mode == Comparison::Exact ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        if (QStringView(text).sliced(i).startsWith(find, cs)) {
            out += replacement;
            i += find.size();
        } else {
            out += text.at(i++);
        }
    }
    return out;
}

QString randomText(QRandomGenerator& random, const QString& alphabet, int maxLength)
{
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += alphabet.at(random.bounded(static_cast<int>(alphabet.size())));
    return text;
}

} // namespace

class TestTextHelpers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void replaceText_data();
    void replaceText();
    void replaceTextMatchesReference();
    void splitToList_data();
    void splitToList();
};

void TestTextHelpers::replaceText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<Comparison>("mode");
    QTest::addColumn<QString>("expected");

    const auto exact = Comparison::Exact;
    const auto folded = Comparison::Text;
    QTest::newRow("exact skips other case") << QStringLiteral("#TOS# #tos#") << QStringLiteral("#TOS#")
                                            << QStringLiteral("x") << exact << QStringLiteral("x #tos#");
    QTest::newRow("case-insensitive non-ASCII") << QStringLiteral("CAFÉ café") << QStringLiteral("é")
                                                << QStringLiteral("e") << folded << QStringLiteral("CAFe cafe");
    QTest::newRow("replacement holds find")
        << QStringLiteral("aaa") << QStringLiteral("a") << QStringLiteral("aa") << exact << QStringLiteral("aaaaaa");
    QTest::newRow("replacement completes a new match")
        << QStringLiteral("aab") << QStringLiteral("ab") << QStringLiteral("b") << exact << QStringLiteral("ab");
    QTest::newRow("three slashes") << QStringLiteral("///") << QStringLiteral("//") << QStringLiteral("/") << exact
                                   << QStringLiteral("//");
    QTest::newRow("replacement with regex and arg markers")
        << QStringLiteral("a.b") << QStringLiteral(".") << QStringLiteral("$0\\1%1") << exact
        << QStringLiteral("a$0\\1%1b");
}

void TestTextHelpers::replaceText()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(Comparison, mode);
    QFETCH(QString, expected);

    QCOMPARE(ReplaceText(text, find, replacement, mode), expected);
    if (mode == Comparison::Exact)
        QCOMPARE(ReplaceAll(text, find, replacement), expected);
}

void TestTextHelpers::replaceTextMatchesReference()
{
    QRandomGenerator random(20240611u);
    const QString alphabet = QStringLiteral("aAbBéÉ#");
    constexpr int cases = 12000;
    int changed = 0;
    for (int i = 0; i < cases; ++i) {
        const Comparison mode = i % 2 == 0 ? Comparison::Exact : Comparison::Text;
        const QString text = randomText(random, alphabet, 24);
        const QString find = randomText(random, alphabet, 3);
        const QString replacement = randomText(random, alphabet, 4);
        const QString expected = referenceReplace(text, find, replacement, mode);
        const QString actual = ReplaceText(text, find, replacement, mode);
        if (actual != expected) {
            qWarning().noquote() << "case" << i << (mode == Comparison::Exact ? "exact" : "case-insensitive") << "text"
                                 << text << "find" << find << "replacement" << replacement;
            QCOMPARE(actual, expected);
        }
        if (expected != text)
            ++changed;
    }
    // The cases must exercise replacement, not only the no-match path.
    QVERIFY2(changed > cases / 10, qPrintable(QString::number(changed)));
}

void TestTextHelpers::splitToList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty piece kept") << QStringLiteral("a------b")
                                      << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("empty text") << QString() << QStringList{QString()};
    QTest::newRow("four dashes") << QStringLiteral("a----b") << QStringList{QStringLiteral("a"), QStringLiteral("-b")};
}

void TestTextHelpers::splitToList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    QCOMPARE(SplitToList(text, QStringLiteral("---")), expected);
}

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
