// SPDX-License-Identifier: GPL-3.0-or-later
// The terms editor and the automatic resources dialog, driven through their real widgets.
#include "GuiTestSupport.h"
#include "gui/dialogs/AutoResourcesDialog.h"
#include "gui/dialogs/TermsDialog.h"
#include "gui/widgets/EditorText.h"
#include "gui/widgets/LinkLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

class TestDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_installation = std::make_unique<TestInstallation>();
        QVERIFY(m_installation->isValid());
        m_interaction = ScriptedInteraction();
    }

    void terms_data()
    {
        QTest::addColumn<QByteArray>("file");  // the terms file; "<missing>" or "<folder>"
        QTest::addColumn<QString>("action");   // after typing "\nTyped ✓\u00A0😀" at the end of the text
        QTest::addColumn<QByteArray>("after"); // the terms file afterwards
        QTest::addColumn<QString>("said");     // the messages shown: "kind|title", and how the last text begins
        const QByteArray typed = u"\nTyped ✓\u00A0😀"_s.toUtf8();
        const auto row = [](const char* tag, const QByteArray& file, const char* action, const QByteArray& after,
                            const char* said) {
            QTest::newRow(tag) << file << QString::fromUtf8(action) << after << QString::fromUtf8(said);
        };
        const char* saved = "inform|Done|Done! Settings saved. You can close this window if you want.";
        row("save: blank lines kept", "\n\nOne\n\n", "save", "\n\nOne\n\n" + typed, saved);
        row("save: CR LF kept", "One\r\n\r\nTwo", "save", "One\r\n\r\nTwo\r" + typed, saved);
        row("save: a missing file is made", "<missing>", "save", typed, saved);
        row("save: the folder takes no file", "Earlier", "read-only", "Earlier",
            "warn|Folder Not Writable|Orvanta cannot");
        row("save: a folder in the file's place", "Earlier", "folder later", "", "warn|Not Saved|Could not save");
        row("default: declined", "Earlier", "default no", "Earlier",
            "confirm|Please Confirm|Are you sure? This will overwrite the current TOS.");
        row("default: loaded, not saved", "Earlier", "default yes", "Earlier",
            "confirm|Please Confirm, inform|Done|Done! Please remember to save your changes.");
        row("default: no backup", "Earlier", "no backup", "Earlier",
            "confirm|Please Confirm, warn|Default TOS|Could not read");
        row("open: a folder in its place", "<folder>", "", "", "warn|Terms and Conditions|Could not read");
    }

    // Only Save writes; a file that cannot be read is not opened, so it cannot be overwritten; a failed save keeps
    // the text in the editor.
    void terms()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, action);
        QFETCH(QByteArray, after);
        QFETCH(QString, said);
        const QString backup = m_installation->path(u"/resources/tos_backup.txt"_s);
        QVERIFY(QFile::remove(termsFile()) && writeAll(backup, "Default terms."));
        QVERIFY(file == "<folder>" ? QDir().mkdir(termsFile()) : file == "<missing>" || writeAll(termsFile(), file));
        TermsDialog dialog(m_installation->folder(), m_interaction);
        QCOMPARE(dialog.loaded(), file != "<folder>");
        auto* text = child<QPlainTextEdit>(&dialog, "txtTOS");
        text->moveCursor(QTextCursor::End);
        text->insertPlainText(u"\nTyped ✓\u00A0😀"_s);
        const QString typed = editorText(*text);
        if (action == u"read-only") {
            QVERIFY(makeUnwritable(m_installation->path(u"/resources"_s)));
        } else if (action == u"folder later") {
            QVERIFY(QFile::remove(termsFile()) && QDir().mkdir(termsFile()));
        } else if (action.startsWith(u"default") || action == u"no backup") {
            QTest::mouseClick(child<LinkLabel>(&dialog, "lblDefaultTOS"), Qt::RightButton); // not a click of the link
            QVERIFY(action != u"no backup" || QFile::remove(backup));
            m_interaction.answer(action != u"default no");
            QTest::keyClick(child<LinkLabel>(&dialog, "lblDefaultTOS"), Qt::Key_Space);
        }
        if (action == u"save" || action == u"read-only" || action == u"folder later")
            QTest::mouseClick(child<QPushButton>(&dialog, "cmdSave"), Qt::LeftButton);
        QStringList shown;
        for (const ScriptedInteraction::Shown& message : m_interaction.shown)
            shown << message.kind + u'|' + message.title;
        QVERIFY2((shown.join(u", "_s) + u'|' + m_interaction.shown.value(shown.size() - 1).text).startsWith(said),
                 qPrintable(shown.join(u", "_s) + u'|' + m_interaction.last()));
        QCOMPARE(readAll(action == u"read-only" ? m_installation->path(u"/resources.away/tos.txt"_s) : termsFile()),
                 after);
        if (dialog.loaded())
            QCOMPARE(editorText(*text), action == u"default yes" ? u"Default terms."_s : typed);
    }

    void autoResources_data()
    {
        QTest::addColumn<QString>("ticked"); // "d" discussions, "v" videos
        QTest::addColumn<QString>("discussions");
        QTest::addColumn<QString>("videos");
        QTest::addColumn<int>("order");       // -1: a text typed over the box
        QTest::addColumn<QString>("outcome"); // the refusal, or the titles generated
        const auto row = [](const char* tag, const char* ticked, const char* discussions, const char* videos, int order,
                            const char* outcome) {
            QTest::newRow(tag) << QString::fromUtf8(ticked) << QString::fromUtf8(discussions)
                               << QString::fromUtf8(videos) << order << QString::fromUtf8(outcome);
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
    void autoResources()
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

private:
    QString termsFile() const { return m_installation->path(u"/resources/tos.txt"_s); }

    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
