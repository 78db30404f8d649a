// The terms editor and the automatic resources dialog, opened from the main window's link labels and
// driven through their real widgets on the offscreen platform. Keyboard use and Escape are in tst_accessibility.

#include "ScriptedInteraction.h"
#include "TestSupport.h"

#include "app/EditorText.h"
#include "app/LinkLabel.h"
#include "app/MainWindow.h"
#include "resourcelist/ResourceList.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

// Lets QCOMPARE name the resources that differ.
namespace orvanta {
char* toString(const ResourceEntry& entry)
{
    return QTest::toString(entry.displayText());
}
} // namespace orvanta

using namespace orvanta;

namespace {

// Clicks `link`, which must open a modal dialog with this caption over the link's window, and runs `body` in its
// event loop. The dialog is closed afterwards, so a failure never hangs in exec(). True when `body` completed.
template <class Body> bool whileDialogOpen(QWidget* link, const QString& caption, Body body)
{
    if (!link) {
        QTest::qFail("the link label was not found", __FILE__, __LINE__);
        return false;
    }
    bool fired = false;
    bool completed = false;
    QTimer inDialog; // local, so it never fires after this function has returned
    inDialog.setSingleShot(true);
    QObject::connect(&inDialog, &QTimer::timeout, [&] {
        fired = true;
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        const auto closeDialog = qScopeGuard([&] {
            if (modal && modal->isVisible())
                modal->close();
        });
        auto* dialog = qobject_cast<QDialog*>(modal.data());
        QVERIFY2(dialog, "no modal dialog is open");
        QCOMPARE(dialog->windowTitle(), caption);
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->parentWidget(), link->window());
        body(dialog);
        completed = !QTest::currentTestFailed();
    });
    inDialog.start(0);
    QTest::mouseClick(link, Qt::LeftButton);
    if (!fired && !QTest::currentTestFailed())
        QTest::qFail("clicking the link opened no dialog", __FILE__, __LINE__);
    if (QApplication::activeModalWidget() && !QTest::currentTestFailed())
        QTest::qFail("a modal window is still open", __FILE__, __LINE__);
    return completed;
}

// Replaces the whole text of a box the way a user pastes it in.
void pasteInto(QPlainTextEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
        return;
    }
    QApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Ticks or clears a check box with a click on its indicator; true when it ends up as asked.
bool setTicked(QCheckBox* box, bool ticked)
{
    if (box->isChecked() != ticked)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    return box->isChecked() == ticked;
}

// A widget of the dialog; a missing one fails the test.
template <class W> W* child(QDialog* dialog, const char* name)
{
    W* widget = dialog->findChild<W*>(QString::fromLatin1(name));
    if (!widget)
        QTest::qFail(name, __FILE__, __LINE__);
    return widget;
}

struct TermsForm {
    QDialog* dialog;
    QPlainTextEdit* text = child<QPlainTextEdit>(dialog, "txtTOS");
    LinkLabel* loadDefault = child<LinkLabel>(dialog, "lblDefaultTOS");
    QPushButton* save = child<QPushButton>(dialog, "cmdSave");
    QPushButton* close = child<QPushButton>(dialog, "cmdCancel");

    QString shown() const { return editorText(*text); }
};

struct AutoForm {
    QDialog* dialog;
    QCheckBox* discussionsOn = child<QCheckBox>(dialog, "Check1");
    QPlainTextEdit* discussions = child<QPlainTextEdit>(dialog, "txtDiscussions");
    QLineEdit* discussionsFormat = child<QLineEdit>(dialog, "txtDiscussionsButtonTitlePrefix");
    QCheckBox* videosOn = child<QCheckBox>(dialog, "Check2");
    QPlainTextEdit* videos = child<QPlainTextEdit>(dialog, "txtVideos");
    QLineEdit* videosFormat = child<QLineEdit>(dialog, "txtVideoButtonTitlePrefix");
    QComboBox* order = child<QComboBox>(dialog, "cboOrder");
    QPushButton* add = child<QPushButton>(dialog, "cmdSave");
    QPushButton* close = child<QPushButton>(dialog, "cmdCancel");

    bool fill(bool discussionsTicked, const QString& discussionWords, bool videosTicked, const QString& videoWords)
    {
        pasteInto(discussions, discussionWords);
        pasteInto(videos, videoWords);
        return setTicked(discussionsOn, discussionsTicked) && setTicked(videosOn, videosTicked);
    }
};

// The main window of a fresh installation, shown offscreen.
struct App {
    App()
        : window(installation.folder(), interaction)
    {
        window.show();
    }

    // Call once at the start of a test: the installation exists and the window can take the focus.
    bool ready()
    {
        window.activateWindow();
        return installation.isValid() && QTest::qWaitForWindowActive(&window);
    }

    QString terms() const { return installation.path(QStringLiteral("/resources/tos.txt")); }
    QString defaultTerms() const { return installation.path(QStringLiteral("/resources/tos_backup.txt")); }
    LinkLabel* termsLink() const { return window.findChild<LinkLabel*>(QStringLiteral("Label16")); }
    LinkLabel* autoLink() const { return window.findChild<LinkLabel*>(QStringLiteral("Label17")); }

    // Opens a dialog through its link label and runs `body` on its form.
    template <class Form, class F> bool open(LinkLabel* link, const char* caption, F body)
    {
        return whileDialogOpen(link, QString::fromLatin1(caption), [&](QDialog* dialog) {
            Form form{dialog};
            if (!QTest::currentTestFailed())
                body(form);
        });
    }
    template <class F> bool openTerms(F body) { return open<TermsForm>(termsLink(), "Terms and Conditions", body); }
    template <class F> bool openAuto(F body) { return open<AutoForm>(autoLink(), "Automatic Resources", body); }

    TestInstallation installation;
    ScriptedInteraction interaction;
    MainWindow window;
};

QString message(const QString& kind, const QString& title, const QString& text)
{
    return kind + u'|' + title + u'|' + text;
}

// Every message shown so far, one "kind|title|text" line each, so a comparison names the odd one.
QStringList messages(const ScriptedInteraction& interaction)
{
    QStringList lines;
    for (const auto& shown : interaction.shown)
        lines.append(message(shown.kind, shown.title, shown.text));
    return lines;
}

// Resources entered by hand before any are generated; generated ones must come after them.
const ResourceEntries HandMade{{QStringLiteral("Our blog"), QStringLiteral("https://example.com/blog")},
                               {QStringLiteral("Contact us"), QStringLiteral("https://example.com/contact")}};

ResourceEntry discussion(const QString& title, const QString& query)
{
    return {title, QStringLiteral("https://www.quora.com/search?q=") + query};
}

ResourceEntry video(const QString& title, const QString& query)
{
    return {title, QStringLiteral("https://www.youtube.com/results?search_query=") + query};
}

const QString Inform = QStringLiteral("inform");
const QString Done = QStringLiteral("Done");
const QString TermsSaved = QStringLiteral("Done! Settings saved. You can close this window if you want.");
const QString ResourcesAdded = QStringLiteral("Done! You can close this window.");

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void termsSaveRoundTrip_data();
    void termsSaveRoundTrip();
    void termsLoadDefault_data();
    void termsLoadDefault();
    void termsFailedSaveKeepsTheFile();
    void termsKeepWindowsLineBreaks();
    void termsUnreadableFileIsReportedAndNotOpened_data();
    void termsUnreadableFileIsReportedAndNotOpened();

    void autoResourcesAdd_data();
    void autoResourcesAdd();
    void autoResourcesAddTwiceThenClose();
};

void TestDialogs::termsSaveRoundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("blank lines") << QStringLiteral("\n\nLine one\n\nLine three\n\n\nLine six\n\n");
    QTest::newRow("non-Latin, tabs, no-break spaces")
        << QStringLiteral("Условия\tΌροι χρήσης\n利用規約 — ✓ 😀\nPrice:\u00A010\u00A0EUR\n\u00A0indented");
    QTest::newRow("nothing") << QString();
}

// Without a terms file the editor opens empty and writes nothing until Save creates the file. Opened again,
// it shows the saved text, and Close drops what was typed since.
void TestDialogs::termsSaveRoundTrip()
{
    QFETCH(QString, text);

    App app;
    QVERIFY(app.ready());
    QVERIFY(QFile::remove(app.terms()));

    QVERIFY(app.openTerms([&](TermsForm& form) {
        QCOMPARE(form.shown(), QString());
        pasteInto(form.text, text);
        QVERIFY(!QFileInfo::exists(app.terms()));
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(messages(app.interaction), QStringList{message(Inform, Done, TermsSaved)});
        QVERIFY(QFileInfo::exists(app.terms()));
        QCOMPARE(readAll(app.terms()), text.toUtf8());
        QVERIFY(form.dialog->isVisible());
    }));
    QVERIFY(app.openTerms([&](TermsForm& form) {
        QCOMPARE(form.shown(), text);
        form.text->setFocus();
        form.text->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.text, QStringLiteral(" Unsaved words."));
        QTest::mouseClick(form.close, Qt::LeftButton);
        QVERIFY(!form.dialog->isVisible());
    }));
    QCOMPARE(app.interaction.shown.size(), 1);
    QCOMPARE(readAll(app.terms()), text.toUtf8());
}

void TestDialogs::termsLoadDefault_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("backupThere");
    QTest::addColumn<QStringList>("expected"); // "<backup>" stands for the backup file's path
    QTest::addColumn<bool>("loaded");

    const QString confirm = message(QStringLiteral("confirm"), QStringLiteral("Please Confirm"),
                                    QStringLiteral("Are you sure? This will overwrite the current TOS."));
    const QString loaded = message(Inform, Done, QStringLiteral("Done! Please remember to save your changes."));
    const QString noBackup = message(QStringLiteral("warn"), QStringLiteral("Default TOS"),
                                     QStringLiteral("Could not read <backup>: the file does not exist."));
    QTest::newRow("declined") << false << true << QStringList{confirm} << false;
    QTest::newRow("accepted") << true << true << QStringList{confirm, loaded} << true;
    QTest::newRow("accepted, backup missing") << true << false << QStringList{confirm, noBackup} << false;
}

// Loading the default asks first, puts the backup in the editor and writes nothing until Save.
void TestDialogs::termsLoadDefault()
{
    QFETCH(bool, yes);
    QFETCH(bool, backupThere);
    QFETCH(QStringList, expected);
    QFETCH(bool, loaded);

    App app;
    QVERIFY(app.ready());
    const QByteArray current("Current terms.");
    const QString backup = QStringLiteral("Default terms.\n\nNo guarantees — garanties — Gewähr.\n");
    const QString edited = QStringLiteral("Edited, not saved.");
    QVERIFY(writeAll(app.terms(), current));
    QVERIFY(backupThere ? writeAll(app.defaultTerms(), backup.toUtf8()) : QFile::remove(app.defaultTerms()));
    expected.replaceInStrings(QStringLiteral("<backup>"), QDir::toNativeSeparators(app.defaultTerms()));

    app.interaction.answer(yes);
    QVERIFY(app.openTerms([&](TermsForm& form) {
        pasteInto(form.text, edited);
        QTest::mouseClick(form.loadDefault, Qt::LeftButton);
        QCOMPARE(messages(app.interaction), expected);
        QCOMPARE(form.shown(), loaded ? backup : edited);
        QVERIFY(form.dialog->isVisible());
    }));
    QVERIFY(!app.interaction.answersLeft());
    QCOMPARE(readAll(app.terms()), current);
    QCOMPARE(readAll(app.defaultTerms()), backupThere ? backup.toUtf8() : QByteArray());
}

void TestDialogs::termsFailedSaveKeepsTheFile()
{
    App app;
    QVERIFY(app.ready());
    const QByteArray earlier("Earlier terms.");
    QVERIFY(writeAll(app.terms(), earlier));
    const QString edited = QStringLiteral("Edited terms\n\nthat could not be saved at first.");
    const QString termsAway = app.installation.path(QStringLiteral("/tos.txt.away"));

    QVERIFY(app.openTerms([&](TermsForm& form) {
        pasteInto(form.text, edited);
        // A folder takes the file's place, which stops root as well; the earlier file waits aside.
        QVERIFY(QFile::rename(app.terms(), termsAway));
        QVERIFY(QDir().mkdir(app.terms()));
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(app.interaction.shown.size(), 1);
        QCOMPARE(app.interaction.last().kind, QStringLiteral("warn"));
        QCOMPARE(app.interaction.last().title, QStringLiteral("Not Saved"));
        QVERIFY2(app.interaction.last().text.contains(QDir::toNativeSeparators(app.terms())),
                 qPrintable(app.interaction.last().text));
        QCOMPARE(form.shown(), edited);
        QVERIFY(form.dialog->isVisible());
        QVERIFY(QDir(app.terms()).isEmpty());

        // With the file back, the text still in the editor replaces it.
        QVERIFY(QDir().rmdir(app.terms()));
        QVERIFY(QFile::rename(termsAway, app.terms()));
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(app.interaction.last().text, TermsSaved);
        QCOMPARE(readAll(app.terms()), edited.toUtf8());
    }));
}

// A file written with CR LF line breaks keeps them through the editor, which itself works with LF.
void TestDialogs::termsKeepWindowsLineBreaks()
{
    App app;
    QVERIFY(app.ready());
    QVERIFY(writeAll(app.terms(), "One\r\n\r\nTwo"));
    QVERIFY(app.openTerms([&](TermsForm& form) {
        QCOMPARE(form.shown(), QStringLiteral("One\n\nTwo"));
        form.text->setFocus();
        form.text->moveCursor(QTextCursor::End);
        QTest::keyClick(form.text, Qt::Key_Return);
        QTest::keyClicks(form.text, QStringLiteral("Three"));
        QTest::mouseClick(form.save, Qt::LeftButton);
    }));
    QCOMPARE(readAll(app.terms()), QByteArray("One\r\n\r\nTwo\r\nThree"));
}

void TestDialogs::termsUnreadableFileIsReportedAndNotOpened_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("a folder in its place") << true;
    QTest::newRow("not UTF-8") << false;
}

void TestDialogs::termsUnreadableFileIsReportedAndNotOpened()
{
    QFETCH(bool, folder);
    App app;
    QVERIFY(app.ready());
    QVERIFY(QFile::remove(app.terms()));
    const QByteArray latin1("Caf\xE9 terms");
    QVERIFY(folder ? QDir().mkdir(app.terms()) : writeAll(app.terms(), latin1));
    QVERIFY(app.termsLink());

    // A timer due at once fires only if an event loop runs while the link is handled, as exec() would.
    bool loopRan = false;
    QTimer probe;
    probe.setSingleShot(true);
    connect(&probe, &QTimer::timeout, [&] {
        loopRan = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    probe.start(0);
    QTest::mouseClick(app.termsLink(), Qt::LeftButton);
    QVERIFY2(!loopRan, "the terms dialog was shown although its file could not be read");
    QCOMPARE(app.interaction.shown.size(), 1);
    QCOMPARE(app.interaction.last().kind, QStringLiteral("warn"));
    QCOMPARE(app.interaction.last().title, QStringLiteral("Terms and Conditions"));
    QVERIFY2(app.interaction.last().text.contains(QDir::toNativeSeparators(app.terms())),
             qPrintable(app.interaction.last().text));
    QVERIFY(folder ? QDir(app.terms()).isEmpty() : readAll(app.terms()) == latin1);
}

void TestDialogs::autoResourcesAdd_data()
{
    QTest::addColumn<bool>("discussionsOn");
    QTest::addColumn<QString>("discussions");
    QTest::addColumn<bool>("videosOn");
    QTest::addColumn<QString>("videos");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("refusal"); // empty when the resources are added
    QTest::addColumn<ResourceEntries>("added");

    const QString needDiscussions = QStringLiteral("Please add some keywords to the 'Related Discussions Resources'");
    const QString needVideos = QStringLiteral("Please add some keywords to the 'Related Video Resources'");
    const QString some = QStringLiteral("fast hosting");
    const ResourceEntries none;
    QTest::newRow("refused: discussions blank lines, videos ready")
        << true << QStringLiteral("\r\n  \r\n\t\n") << true << some << 0 << needDiscussions << none;
    QTest::newRow("refused: both empty, discussions first")
        << true << QString() << true << QString() << 0 << needDiscussions << none;
    QTest::newRow("refused: videos blank lines, discussions ready")
        << true << some << true << QStringLiteral("\n \n") << 0 << needVideos << none;
    QTest::newRow("refused: nothing ticked")
        << false << some << false << some << 0 << QStringLiteral("Please select one or more options.") << none;

    QTest::newRow("worked example")
        << true << QStringLiteral("WordPress Speed\n\nWordPress Security\n   \nSEO\n") << false << QString() << 0
        << QString()
        << ResourceEntries{
               discussion(QStringLiteral("Discussions: WordPress Speed"), QStringLiteral("WordPress Speed")),
               discussion(QStringLiteral("Discussions: WordPress Security"), QStringLiteral("WordPress Security")),
               discussion(QStringLiteral("Discussions: SEO"), QStringLiteral("SEO"))};
    QTest::newRow("videos alone, videos first, unticked discussions ignored")
        << false << some << true << QStringLiteral("speed test\r\nsite audit") << 1 << QString()
        << ResourceEntries{video(QStringLiteral("Video Tutorials: speed test"), QStringLiteral("speed+test")),
                           video(QStringLiteral("Video Tutorials: site audit"), QStringLiteral("site+audit"))};
    const ResourceEntries discussions{discussion(QStringLiteral("Discussions: alpha"), QStringLiteral("alpha")),
                                      discussion(QStringLiteral("Discussions: beta"), QStringLiteral("beta"))};
    const ResourceEntries videos{video(QStringLiteral("Video Tutorials: gamma"), QStringLiteral("gamma")),
                                 video(QStringLiteral("Video Tutorials: delta"), QStringLiteral("delta"))};
    const QString alphaBeta = QStringLiteral("alpha\nbeta");
    const QString gammaDelta = QStringLiteral("gamma\n\ndelta");
    QTest::newRow("both, discussions first")
        << true << alphaBeta << true << gammaDelta << 0 << QString() << discussions + videos;
    QTest::newRow("both, videos first") << true << alphaBeta << true << gammaDelta << 1 << QString()
                                        << videos + discussions;
}

// Generated resources come after those already in the list; a refusal changes nothing. The dialog stays open.
void TestDialogs::autoResourcesAdd()
{
    QFETCH(bool, discussionsOn);
    QFETCH(QString, discussions);
    QFETCH(bool, videosOn);
    QFETCH(QString, videos);
    QFETCH(int, order);
    QFETCH(QString, refusal);
    QFETCH(ResourceEntries, added);

    App app;
    QVERIFY(app.ready());
    app.window.resources().append(HandMade);
    QVERIFY(app.openAuto([&](AutoForm& form) {
        QVERIFY(form.fill(discussionsOn, discussions, videosOn, videos));
        form.order->setCurrentIndex(order);
        QTest::mouseClick(form.add, Qt::LeftButton);
        const QString expected = refusal.isEmpty() ? message(Inform, Done, ResourcesAdded)
                                                   : message(Inform, QStringLiteral("Missing Info"), refusal);
        QCOMPARE(messages(app.interaction), QStringList{expected});
        QCOMPARE(app.window.resources().entries(), HandMade + added);
        QVERIFY(form.dialog->isVisible());
    }));
}

// With edited title formats and an order typed over the box (videos first), each Add appends the resources
// again and Close adds nothing more.
void TestDialogs::autoResourcesAddTwiceThenClose()
{
    App app;
    QVERIFY(app.ready());
    app.window.resources().append(HandMade);
    const ResourceEntries once{video(QStringLiteral("speed test on video"), QStringLiteral("speed+test")),
                               discussion(QStringLiteral("Ask about fast hosting"), QStringLiteral("fast hosting"))};

    QVERIFY(app.openAuto([&](AutoForm& form) {
        QVERIFY(form.fill(true, QStringLiteral("fast hosting"), true, QStringLiteral("speed test")));
        form.discussionsFormat->selectAll();
        QTest::keyClicks(form.discussionsFormat, QStringLiteral("Ask about #KEYWORD#"));
        form.videosFormat->selectAll();
        QTest::keyClicks(form.videosFormat, QStringLiteral("#KEYWORD# on video"));
        QVERIFY(form.order->lineEdit());
        form.order->lineEdit()->selectAll();
        QTest::keyClicks(form.order->lineEdit(), QStringLiteral("whatever"));
        QCOMPARE(form.order->currentText(), QStringLiteral("whatever"));

        QTest::mouseClick(form.add, Qt::LeftButton);
        QCOMPARE(app.window.resources().entries(), HandMade + once);
        QTest::mouseClick(form.add, Qt::LeftButton);
        QTest::mouseClick(form.close, Qt::LeftButton);
        QVERIFY(!form.dialog->isVisible());
    }));
    QCOMPARE(app.window.resources().entries(), HandMade + once + once);
    const QString added = message(Inform, Done, ResourcesAdded);
    QCOMPARE(messages(app.interaction), (QStringList{added, added}));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
