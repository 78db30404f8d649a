// The page filler takes short cuts on large pages. Whatever the texts hold, its page must equal the one
// that replacing each placeholder over the whole page, step by step, gives.
#include "build/PageFiller.h"

#include <QRandomGenerator>
#include <QTest>

using namespace orvanta;

namespace {

// Written with Qt's own replacement, so it shares no code with the filler.
QString reference(const PageTemplates& templates, const PageContent& content)
{
    QString page = templates.page;
    page.replace(QStringLiteral("#HEADLINE#"), content.headline);
    page.replace(QStringLiteral("#SUBHEADLINE#"), content.subheadline);
    QString block;
    for (const ResourceEntry& entry : content.resources) {
        QString snippet = templates.snippet;
        snippet.replace(QStringLiteral("#CTATEXT#"), entry.linkText);
        snippet.replace(QStringLiteral("#CTAURL#"), entry.linkUrl);
        block += snippet + (content.textBelowEachResource
                                ? QStringLiteral("<br><i><p>") + content.belowResourceText + QStringLiteral("</p></i>")
                                : QStringLiteral("<br><br>"));
    }
    page.replace(QStringLiteral("#FOOTER#"), content.footer);
    page.replace(QStringLiteral("#REPEATER#"), block);
    page.replace(QStringLiteral("#TOS#"), content.disclaimerEnabled ? templates.disclaimer : QString());
    return page.replace(QStringLiteral("#CLOSE#"), ClosingBlock());
}

// Whether the filler can write the resource block straight into the page: a block without '#'.
bool blockWithoutHash(const PageTemplates& templates, const PageContent& content)
{
    QString literals = templates.snippet;
    literals.remove(QStringLiteral("#CTATEXT#")).remove(QStringLiteral("#CTAURL#"));
    if (!templates.page.contains(QStringLiteral("#REPEATER#")) || content.resources.isEmpty() ||
        literals.contains(u'#') || (content.textBelowEachResource && content.belowResourceText.contains(u'#')))
        return false;
    for (const ResourceEntry& entry : content.resources) {
        if (entry.linkText.contains(u'#') || entry.linkUrl.contains(u'#'))
            return false;
    }
    return true;
}

// Texts built from placeholders, broken placeholders and plain text, so placeholders form across the
// joins as often as possible.
class TextMaker {
public:
    explicit TextMaker(quint32 seed)
        : m_random(seed)
    {
    }

    QString text(int maxPieces, bool withHash)
    {
        static const QStringList hashed = {
            QStringLiteral("#"),          QStringLiteral("#CTA"),      QStringLiteral("URL#"),
            QStringLiteral("#CTAURL#"),   QStringLiteral("#CTATEXT#"), QStringLiteral("TEXT#"),
            QStringLiteral("#TOS#"),      QStringLiteral("#TO"),       QStringLiteral("S#"),
            QStringLiteral("#CLOSE#"),    QStringLiteral("#CLO"),      QStringLiteral("SE#"),
            QStringLiteral("#REPEATER#"), QStringLiteral("#FOOTER#"),  QStringLiteral("#HEADLINE#"),
            QStringLiteral("#REPEA"),     QStringLiteral("TER#")};
        static const QStringList plain = {QStringLiteral("x"),   QStringLiteral("<p>"), QStringLiteral("CTA"),
                                          QStringLiteral("URL"), QStringLiteral("TO"),  QStringLiteral("S"),
                                          QStringLiteral("SE"),  QStringLiteral("é"),   QStringLiteral("\n")};
        QString result;
        const int pieces = m_random.bounded(maxPieces + 1);
        for (int i = 0; i < pieces; ++i) {
            const QStringList& from = withHash && m_random.bounded(2) == 0 ? hashed : plain;
            result += from.at(m_random.bounded(static_cast<int>(from.size())));
        }
        return result;
    }

    bool chance(int percent) { return m_random.bounded(100) < percent; }
    int below(int bound) { return m_random.bounded(bound); }

private:
    QRandomGenerator m_random;
};

} // namespace

class TestFillEquivalence : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void matchesStepByStepReplacement();
};

void TestFillEquivalence::matchesStepByStepReplacement()
{
    TextMaker maker(20261206);
    int blockWithoutHashRounds = 0;
    for (int round = 0; round < 4000; ++round) {
        // Most rounds keep the resources and snippet free of '#', where the short cuts apply.
        const bool hashInBlock = maker.chance(30);
        PageTemplates templates{maker.text(8, true), maker.text(5, hashInBlock), maker.text(4, true)};
        if (maker.chance(70))
            templates.page = maker.text(3, true) + QStringLiteral("#REPEATER#") + maker.text(3, true);
        if (maker.chance(50))
            templates.snippet = QStringLiteral("<a href=\"#CTAURL#\">#CTATEXT#</a>") + maker.text(2, hashInBlock);
        // Snippets in which a link text without '#' completes a "#CTAURL#".
        static const QStringList trickySnippets = {QStringLiteral("#CTA#CTATEXT##"), QStringLiteral("#CTAU#CTATEXT#L#"),
                                                   QStringLiteral("#C#CTATEXT##CTATEXT#L#"),
                                                   QStringLiteral("#CTATEXT#CTAURL#"),
                                                   QStringLiteral("#CTAURL#CTATEXT#")};
        static const QStringList trickyTexts = {QStringLiteral("URL"), QStringLiteral("TA"), QStringLiteral("UR"),
                                                QStringLiteral("RL"), QStringLiteral("TAURL")};
        const bool tricky = maker.chance(15);
        if (tricky)
            templates.snippet = trickySnippets.at(maker.below(static_cast<int>(trickySnippets.size())));
        PageContent content{maker.text(3, true), maker.text(3, true),        maker.text(3, true), {},
                            maker.chance(50),    maker.text(2, hashInBlock), maker.chance(50)};
        const int resources = maker.below(6);
        for (int i = 0; i < resources; ++i)
            content.resources.append({tricky ? trickyTexts.at(maker.below(static_cast<int>(trickyTexts.size())))
                                             : maker.text(3, hashInBlock && maker.chance(50)),
                                      maker.text(3, hashInBlock)});
        if (blockWithoutHash(templates, content))
            ++blockWithoutHashRounds;

        const QString expected = reference(templates, content);
        const QString actual = FillPage(templates, content);
        if (actual != expected) {
            qWarning().noquote() << "round" << round << "\npage:" << templates.page << "\nsnippet:" << templates.snippet
                                 << "\ndisclaimer:" << templates.disclaimer;
            QCOMPARE(actual, expected);
        }
    }
    QVERIFY2(blockWithoutHashRounds > 1000, qPrintable(QString::number(blockWithoutHashRounds)));
}

QTEST_GUILESS_MAIN(TestFillEquivalence)
#include "tst_fillequivalence.moc"
