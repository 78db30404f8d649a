// The terms editor and the automatic resources dialog, driven through their real widgets.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "gui/dialogs/AutoResourcesDialog.h"
#include "gui/dialogs/TermsDialog.h"
#include "gui/widgets/EditorText.h"
#include "gui/widgets/LinkLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

namespace {

const QString TermsSaved = u"inform|Done|Done! Settings saved. You can close this window if you want."_s;

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void termsSave_data();
    void termsSave();
    void termsLoadDefault_data();
    void termsLoadDefault();
    void termsFaults_data();
    void termsFaults();
    void autoResources_data();
    void autoResources();

private:
    QString terms() const { return m_installation->path(u"/resources/tos.txt"_s); }

    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
};

void TestDialogs::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_interaction = ScriptedInteraction();
}

void TestDialogs::termsSave_data()
{
    QTest::addColumn<QByteArray>("file"); // "missing": no terms file yet
    QTest::addColumn<QString>("typed");   // appended at the end of the editor's text
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("blank lines, non-Latin, tabs, no-break spaces")
        << QByteArray("\n\nOne\n\n") << u"\n\nУсловия\t利用規約 ✓ 😀\nPrice:\u00A010\u00A0EUR\n\n"_s
        << u"\n\nOne\n\n\n\nУсловия\t利用規約 ✓ 😀\nPrice:\u00A010\u00A0EUR\n\n"_s.toUtf8();
    QTest::newRow("CR LF kept") << QByteArray("One\r\n\r\nTwo") << u"\nThree"_s
                                << QByteArray("One\r\n\r\nTwo\r\nThree");
    QTest::newRow("missing file: opens empty, Save makes it") << QByteArray("missing") << u"New"_s << QByteArray("New");
}

void TestDialogs::termsSave()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);

    QVERIFY(file == "missing" ? QFile::remove(terms()) : writeAll(terms(), file));
    TermsDialog dialog(m_installation->folder(), m_interaction);
    QVERIFY(dialog.loaded());
    auto* text = child<QPlainTextEdit>(&dialog, "txtTOS");
    QCOMPARE(editorText(*text).toUtf8(), file == "missing" ? QByteArray() : QByteArray(file).replace("\r\n", "\n"));
    text->moveCursor(QTextCursor::End);
    text->insertPlainText(typed);
    QTest::mouseClick(child<QPushButton>(&dialog, "cmdSave"), Qt::LeftButton);
    QCOMPARE(readAll(terms()), saved);
    QCOMPARE(m_interaction.last(), TermsSaved);
}

void TestDialogs::termsLoadDefault_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("backupThere");
    QTest::addColumn<QString>("said"); // the message after the question
    QTest::addColumn<bool>("loaded");

    QTest::newRow("declined") << false << true << QString() << false;
    QTest::newRow("accepted") << true << true << u"inform|Done|Done! Please remember to save your changes."_s << true;
    QTest::newRow("accepted, backup missing") << true << false << u"warn|Default TOS|Could not read"_s << false;
}

// Loading the default asks first, puts the backup in the editor and writes nothing until Save.
void TestDialogs::termsLoadDefault()
{
    QFETCH(bool, yes);
    QFETCH(bool, backupThere);
    QFETCH(QString, said);
    QFETCH(bool, loaded);

    const QString backupPath = m_installation->path(u"/resources/tos_backup.txt"_s);
    const QString backup = u"Default terms.\n\nNo guarantees — Gewähr.\n"_s;
    QVERIFY(writeAll(terms(), "Current terms."));
    QVERIFY(backupThere ? writeAll(backupPath, backup.toUtf8()) : QFile::remove(backupPath));
    TermsDialog dialog(m_installation->folder(), m_interaction);
    auto* text = child<QPlainTextEdit>(&dialog, "txtTOS");
    text->setPlainText(u"Edited, not saved."_s);

    m_interaction.answer(yes);
    QTest::keyClick(child<LinkLabel>(&dialog, "lblDefaultTOS"), Qt::Key_Space);
    QCOMPARE(m_interaction.shown.first().title, u"Please Confirm"_s);
    QCOMPARE(m_interaction.shown.first().text, u"Are you sure? This will overwrite the current TOS."_s);
    QCOMPARE(m_interaction.shown.size(), said.isEmpty() ? 1 : 2);
    QVERIFY2(m_interaction.last().startsWith(said), qPrintable(m_interaction.last()));
    QCOMPARE(editorText(*text), loaded ? backup : u"Edited, not saved."_s);
    QCOMPARE(readAll(terms()), QByteArray("Current terms."));
}

void TestDialogs::termsFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("said"); // how the message begins

    QTest::newRow("open: a folder in its place")
        << u"folder"_s << false << u"warn|Terms and Conditions|Could not read"_s;
    QTest::newRow("save: a folder takes its place") << u"folder later"_s << true << u"warn|Not Saved|Could not save"_s;
    QTest::newRow("save: the folder takes no file")
        << u"read-only"_s << true << u"warn|Folder Not Writable|Orvanta cannot write"_s;
}

// Nothing is lost: a file that cannot be read is not opened (so it cannot be overwritten), and a failed save
// keeps both the earlier file and the text in the editor.
void TestDialogs::termsFaults()
{
    QFETCH(QString, fault);
    QFETCH(bool, opens);
    QFETCH(QString, said);

    const QByteArray before("Earlier terms.");
    QVERIFY(fault == u"folder" ? QFile::remove(terms()) && QDir().mkdir(terms()) : writeAll(terms(), before));
    QString kept = terms(); // where the earlier file is afterwards
    TermsDialog dialog(m_installation->folder(), m_interaction);
    QCOMPARE(dialog.loaded(), opens);
    if (opens) {
        auto* text = child<QPlainTextEdit>(&dialog, "txtTOS");
        text->setPlainText(u"Edited terms"_s);
        const QString resources = m_installation->path(u"/resources"_s);
        if (fault == u"folder later") {
            kept = terms() + u".away"_s;
            QVERIFY(QFile::rename(terms(), kept) && QDir().mkdir(terms()));
        } else {
            // Permissions do not stop root: a folder of /proc takes no new file for anyone.
            kept = resources + u".away/tos.txt"_s;
            QVERIFY(QDir().rename(resources, resources + u".away"_s));
            QVERIFY(QFile::link(u"/proc/self"_s, resources));
        }
        QTest::mouseClick(child<QPushButton>(&dialog, "cmdSave"), Qt::LeftButton);
        QCOMPARE(editorText(*text), u"Edited terms"_s);
    }
    QCOMPARE(m_interaction.shown.size(), 1);
    QVERIFY2(m_interaction.last().startsWith(said), qPrintable(m_interaction.last()));
    QCOMPARE(readAll(kept), fault == u"folder" ? QByteArray() : before);
}

void TestDialogs::autoResources_data()
{
    QTest::addColumn<QString>("ticked"); // "d" discussions, "v" videos
    QTest::addColumn<QString>("discussions");
    QTest::addColumn<QString>("videos");
    QTest::addColumn<int>("order");       // -1: a text typed over the box
    QTest::addColumn<QString>("outcome"); // the refusal, or the titles generated
    const auto row = [](const char* tag, const char* ticked, const char* discussions, const char* videos, int order,
                        const char* outcome) {
        QTest::newRow(tag) << QString::fromUtf8(ticked) << QString::fromUtf8(discussions) << QString::fromUtf8(videos)
                           << order << QString::fromUtf8(outcome);
    };
    row("refused: discussions blank lines", "dv", "\r\n  \r\n\t\n", "seo", 0,
        "Please add some keywords to the 'Related Discussions Resources'");
    row("refused: videos blank lines", "dv", "seo", "\n \n", 0,
        "Please add some keywords to the 'Related Video Resources'");
    row("refused: nothing ticked", "", "seo", "seo", 0, "Please select one or more options.");
    row("videos alone, blank lines skipped", "v", "a", "c\r\n\r\nd", 1, "Video Tutorials: c|Video Tutorials: d");
    row("both, discussions first", "dv", "a\nb", "c", 0, "Discussions: a|Discussions: b|Video Tutorials: c");
    row("both, videos first", "dv", "a", "c", 1, "Video Tutorials: c|Discussions: a");
    row("both, order typed over: videos first", "dv", "a", "c", -1, "Video Tutorials: c|Discussions: a");
}

// Each press of Add generates one batch; a refusal generates nothing. The dialog stays open either way.
void TestDialogs::autoResources()
{
    QFETCH(QString, ticked);
    QFETCH(QString, discussions);
    QFETCH(QString, videos);
    QFETCH(int, order);
    QFETCH(QString, outcome);
    AutoResourcesDialog dialog(m_interaction);
    dialog.show();
    child<QCheckBox>(&dialog, "Check1")->setChecked(ticked.contains(u'd'));
    child<QCheckBox>(&dialog, "Check2")->setChecked(ticked.contains(u'v'));
    child<QPlainTextEdit>(&dialog, "txtDiscussions")->setPlainText(discussions);
    child<QPlainTextEdit>(&dialog, "txtVideos")->setPlainText(videos);
    auto* orderBox = child<QComboBox>(&dialog, "cboOrder");
    if (order < 0)
        QTest::keyClicks(orderBox->lineEdit(), u" typed"_s);
    else
        orderBox->setCurrentIndex(order);
    QSignalSpy generated(&dialog, &AutoResourcesDialog::resourcesGenerated);
    QTest::mouseClick(child<QPushButton>(&dialog, "cmdSave"), Qt::LeftButton);
    const bool refused = outcome.startsWith(u"Please"_s);
    QCOMPARE(m_interaction.last(),
             refused ? u"inform|Missing Info|"_s + outcome : u"inform|Done|Done! You can close this window."_s);
    QCOMPARE(generated.count(), refused ? 0 : 1);
    QStringList titles;
    for (const ResourceEntry& entry : generated.value(0).value(0).value<ResourceEntries>())
        titles << entry.linkText;
    QCOMPARE(titles.join(u'|'), refused ? QString() : outcome);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
