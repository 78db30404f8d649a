#include "support/TextHelpers.h"

#include <QRandomGenerator>
#include <QTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::Comparison)

namespace {

// Compares one character at a time, folding case per character in the case-insensitive mode.
bool matchesAt(const QString& text, qsizetype at, const QString& find, Comparison mode)
{
    if (at + find.size() > text.size())
        return false;
    for (qsizetype i = 0; i < find.size(); ++i) {
        const QChar a = text.at(at + i);
        const QChar b = find.at(i);
        if (mode == Comparison::Exact ? a != b : a.toCaseFolded() != b.toCaseFolded())
            return false;
    }
    return true;
}

// The plain left-to-right rule: at each position either a match is replaced and skipped, or one
// character is copied.
QString referenceReplace(const QString& text, const QString& find, const QString& replacement, Comparison mode)
{
    if (find.isEmpty())
        return text;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (matchesAt(text, i, find, mode)) {
            out += replacement;
            i += find.size();
        } else {
            out += text.at(i);
            ++i;
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
    void replaceAllIsExact();
    void replaceTextMatchesReference_data();
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
    QTest::newRow("exact skips other case") << QStringLiteral("ABC abc") << QStringLiteral("abc") << QStringLiteral("x")
                                            << exact << QStringLiteral("ABC x");
    QTest::newRow("case-insensitive takes both") << QStringLiteral("ABC abc aBc") << QStringLiteral("abc")
                                                 << QStringLiteral("x") << folded << QStringLiteral("x x x");
    QTest::newRow("case-insensitive non-ASCII") << QStringLiteral("CAFÉ café") << QStringLiteral("é")
                                                << QStringLiteral("e") << folded << QStringLiteral("CAFe cafe");
    QTest::newRow("empty text") << QString() << QStringLiteral("a") << QStringLiteral("b") << exact << QString();
    QTest::newRow("no match") << QStringLiteral("hello") << QStringLiteral("xyz") << QStringLiteral("b") << exact
                              << QStringLiteral("hello");
    QTest::newRow("find longer than text")
        << QStringLiteral("ab") << QStringLiteral("abc") << QStringLiteral("x") << folded << QStringLiteral("ab");
    QTest::newRow("empty find exact") << QStringLiteral("abc") << QString() << QStringLiteral("x") << exact
                                      << QStringLiteral("abc");
    QTest::newRow("empty find case-insensitive")
        << QStringLiteral("abc") << QString() << QStringLiteral("x") << folded << QStringLiteral("abc");
    QTest::newRow("replacement holds find")
        << QStringLiteral("aaa") << QStringLiteral("a") << QStringLiteral("aa") << exact << QStringLiteral("aaaaaa");
    QTest::newRow("replacement holds find, other case")
        << QStringLiteral("aXa") << QStringLiteral("x") << QStringLiteral("[X]") << folded << QStringLiteral("a[X]a");
    QTest::newRow("replacement completes a new match")
        << QStringLiteral("aab") << QStringLiteral("ab") << QStringLiteral("b") << exact << QStringLiteral("ab");
    QTest::newRow("three backslashes") << QStringLiteral("\\\\\\") << QStringLiteral("\\\\") << QStringLiteral("\\")
                                       << exact << QStringLiteral("\\\\");
    QTest::newRow("three slashes") << QStringLiteral("///") << QStringLiteral("//") << QStringLiteral("/") << exact
                                   << QStringLiteral("//");
    QTest::newRow("four slashes") << QStringLiteral("////") << QStringLiteral("//") << QStringLiteral("/") << exact
                                  << QStringLiteral("//");
    QTest::newRow("overlapping candidates")
        << QStringLiteral("ababab") << QStringLiteral("abab") << QStringLiteral("X") << exact << QStringLiteral("Xab");
    QTest::newRow("match at start and end") << QStringLiteral("#A# middle #A#") << QStringLiteral("#A#")
                                            << QStringLiteral("<>") << exact << QStringLiteral("<> middle <>");
    QTest::newRow("whole text") << QStringLiteral("#X#") << QStringLiteral("#x#") << QString() << folded << QString();
    QTest::newRow("adjacent matches") << QStringLiteral("#T##T#") << QStringLiteral("#T#") << QStringLiteral("1")
                                      << exact << QStringLiteral("11");
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
}

void TestTextHelpers::replaceAllIsExact()
{
    QCOMPARE(ReplaceAll(QStringLiteral("#TOS# #tos#"), QStringLiteral("#TOS#"), QStringLiteral("x")),
             QStringLiteral("x #tos#"));
    QCOMPARE(ReplaceAll(QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("aa")), QStringLiteral("aaaaaa"));
    QCOMPARE(ReplaceAll(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
}

void TestTextHelpers::replaceTextMatchesReference_data()
{
    QTest::addColumn<Comparison>("mode");
    QTest::newRow("exact") << Comparison::Exact;
    QTest::newRow("case-insensitive") << Comparison::Text;
}

void TestTextHelpers::replaceTextMatchesReference()
{
    QFETCH(Comparison, mode);

    QRandomGenerator random(20240611u);
    const QString alphabet = QStringLiteral("aAbBéÉ#");
    constexpr int cases = 6000;
    int changed = 0;
    for (int i = 0; i < cases; ++i) {
        const QString text = randomText(random, alphabet, 24);
        const QString find = randomText(random, alphabet, 3);
        const QString replacement = randomText(random, alphabet, 4);
        const QString expected = referenceReplace(text, find, replacement, mode);
        const QString actual = ReplaceText(text, find, replacement, mode);
        if (actual != expected) {
            QFAIL(qPrintable(QStringLiteral("case %1: text \"%2\", find \"%3\", replacement \"%4\": got \"%5\", "
                                            "expected \"%6\"")
                                 .arg(QString::number(i), text, find, replacement, actual, expected)));
        }
        if (expected != text)
            ++changed;
    }
    // The generated cases must actually exercise replacement, not only the no-match path.
    QVERIFY2(changed > cases / 10, qPrintable(QString::number(changed)));
}

void TestTextHelpers::splitToList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QStringList>("expected");

    const QString sep = QStringLiteral("---");
    QTest::newRow("empty piece kept") << QStringLiteral("a------b") << sep
                                      << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("empty text") << QString() << sep << QStringList{QString()};
    QTest::newRow("no delimiter") << QStringLiteral("a--b") << sep << QStringList{QStringLiteral("a--b")};
    QTest::newRow("delimiter at start") << QStringLiteral("---a") << sep << QStringList{QString(), QStringLiteral("a")};
    QTest::newRow("delimiter at end") << QStringLiteral("a---") << sep << QStringList{QStringLiteral("a"), QString()};
    QTest::newRow("only delimiter") << sep << sep << QStringList{QString(), QString()};
    QTest::newRow("four dashes") << QStringLiteral("a----b") << sep
                                 << QStringList{QStringLiteral("a"), QStringLiteral("-b")};
    QTest::newRow("case matters") << QStringLiteral("aXbxc") << QStringLiteral("x")
                                  << QStringList{QStringLiteral("aXb"), QStringLiteral("c")};
    QTest::newRow("line breaks") << QStringLiteral("one\n\ntwo\n") << QStringLiteral("\n")
                                 << QStringList{QStringLiteral("one"), QString(), QStringLiteral("two"), QString()};
}

void TestTextHelpers::splitToList()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QStringList, expected);

    QCOMPARE(SplitToList(text, delimiter), expected);
}

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
