// The terms editor and the automatic resources dialog, opened from the main window's link labels and
// driven through their real widgets on the offscreen platform.

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
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using orvanta::LinkLabel;
using orvanta::ResourceEntries;
using orvanta::ResourceEntry;

namespace {

enum class Trigger { Mouse, ReturnKey, EnterKey, SpaceKey };

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

    template <class W> W* child(const QString& name) const { return window.findChild<W*>(name); }

    QString terms() const { return installation.path(QStringLiteral("/resources/tos.txt")); }
    QString defaultTerms() const { return installation.path(QStringLiteral("/resources/tos_backup.txt")); }
    LinkLabel* termsLink() const { return child<LinkLabel>(QStringLiteral("Label16")); }
    LinkLabel* autoLink() const { return child<LinkLabel>(QStringLiteral("Label17")); }

    TestInstallation installation;
    ScriptedInteraction interaction;
    orvanta::MainWindow window;
};

// Every message shown so far, one "kind|title|text" line each, so a comparison names the odd one.
QStringList messages(const ScriptedInteraction& interaction)
{
    QStringList lines;
    for (const auto& shown : interaction.shown)
        lines.append(shown.kind + u'|' + shown.title + u'|' + shown.text);
    return lines;
}

QString message(const QString& kind, const QString& title, const QString& text)
{
    return kind + u'|' + title + u'|' + text;
}

// Activates a link label the way a user does: a click, or a key while the label has the focus.
void activate(QWidget* link, Trigger how)
{
    if (how == Trigger::Mouse) {
        QTest::mouseClick(link, Qt::LeftButton);
        return;
    }
    link->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(link->hasFocus());
    const Qt::Key key = how == Trigger::ReturnKey  ? Qt::Key_Return
                        : how == Trigger::EnterKey ? Qt::Key_Enter
                                                   : Qt::Key_Space;
    QTest::keyClick(link, key);
}

// Activates `link`, which should open a modal dialog, and runs `body` on that dialog inside its event
// loop. The dialog is closed afterwards whatever happened in `body`, so a failure never leaves the test
// hanging in exec(). True when the dialog opened and `body` ran to its end without a failure; every
// false return has already been reported as a failure.
template <class Body> bool whileDialogOpen(QWidget* link, Body body, Trigger how = Trigger::Mouse)
{
    if (!link) {
        QTest::qFail("the link label was not found", __FILE__, __LINE__);
        return false;
    }
    bool fired = false;
    bool completed = false;
    QTimer inDialog;
    inDialog.setSingleShot(true);
    QObject::connect(&inDialog, &QTimer::timeout, [&] {
        fired = true;
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        const auto closeDialog = qScopeGuard([&] {
            if (modal && modal->isVisible())
                modal->close();
        });
        QVERIFY2(modal, "no modal dialog is open");
        auto* dialog = qobject_cast<QDialog*>(modal.data());
        QVERIFY2(dialog, "the modal window is not a dialog");
        body(dialog);
        completed = !QTest::currentTestFailed();
    });
    inDialog.start(0);
    activate(link, how);
    if (!fired && !QTest::currentTestFailed())
        QTest::qFail("activating the link opened no dialog", __FILE__, __LINE__);
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

void typeInto(QLineEdit* line, const QString& text)
{
    line->selectAll();
    QTest::keyClicks(line, text);
}

// Ticks or clears a check box with a click on its indicator; true when it ends up as asked.
bool setTicked(QCheckBox* box, bool ticked)
{
    if (box->isChecked() != ticked)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    return box->isChecked() == ticked;
}

struct TermsForm {
    explicit TermsForm(QDialog* dialog)
        : text(dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtTOS")))
        , loadDefault(dialog->findChild<LinkLabel*>(QStringLiteral("lblDefaultTOS")))
        , save(dialog->findChild<QPushButton*>(QStringLiteral("cmdSave")))
        , close(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")))
    {
    }
    bool found() const { return text && loadDefault && save && close; }
    QString shown() const { return orvanta::editorText(*text); }

    QPlainTextEdit* text;
    LinkLabel* loadDefault;
    QPushButton* save;
    QPushButton* close;
};

struct AutoForm {
    explicit AutoForm(QDialog* dialog)
        : discussionsOn(dialog->findChild<QCheckBox*>(QStringLiteral("Check1")))
        , discussions(dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtDiscussions")))
        , discussionsFormat(dialog->findChild<QLineEdit*>(QStringLiteral("txtDiscussionsButtonTitlePrefix")))
        , videosOn(dialog->findChild<QCheckBox*>(QStringLiteral("Check2")))
        , videos(dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtVideos")))
        , videosFormat(dialog->findChild<QLineEdit*>(QStringLiteral("txtVideoButtonTitlePrefix")))
        , order(dialog->findChild<QComboBox*>(QStringLiteral("cboOrder")))
        , add(dialog->findChild<QPushButton*>(QStringLiteral("cmdSave")))
        , close(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")))
    {
    }
    bool found() const
    {
        return discussionsOn && discussions && discussionsFormat && videosOn && videos && videosFormat && order &&
               add && close;
    }
    // Everything the user entered, to show that adding leaves the form as it was.
    QStringList state() const
    {
        return {discussionsOn->isChecked() ? QStringLiteral("on") : QStringLiteral("off"),
                orvanta::editorText(*discussions),
                discussionsFormat->text(),
                videosOn->isChecked() ? QStringLiteral("on") : QStringLiteral("off"),
                orvanta::editorText(*videos),
                videosFormat->text(),
                QString::number(order->currentIndex()),
                order->currentText()};
    }

    QCheckBox* discussionsOn;
    QPlainTextEdit* discussions;
    QLineEdit* discussionsFormat;
    QCheckBox* videosOn;
    QPlainTextEdit* videos;
    QLineEdit* videosFormat;
    QComboBox* order;
    QPushButton* add;
    QPushButton* close;
};

QStringList describe(const ResourceEntries& entries)
{
    QStringList lines;
    for (const ResourceEntry& entry : entries)
        lines.append(entry.linkText + QStringLiteral("  =>  ") + entry.linkUrl);
    return lines;
}

// What the visible list shows, one line per row; every row must show its link text and its URL.
bool listShows(const App& app, const ResourceEntries& entries)
{
    const auto* view = app.child<QListView>(QStringLiteral("lstResources"));
    if (!view || !view->model() || view->model()->rowCount() != entries.size())
        return false;
    for (int row = 0; row < entries.size(); ++row) {
        const QString shown = view->model()->index(row, 0).data().toString();
        if (!shown.startsWith(entries.at(row).linkText) || !shown.endsWith(entries.at(row).linkUrl))
            return false;
    }
    return true;
}

// Two resources entered by hand on the main window, as the user would before generating more.
ResourceEntries handMade()
{
    return {{QStringLiteral("Our blog"), QStringLiteral("https://example.com/blog")},
            {QStringLiteral("Contact us"), QStringLiteral("https://example.com/contact")}};
}

bool addHandMadeResources(App& app)
{
    auto* title = app.child<QLineEdit>(QStringLiteral("txtCTAText"));
    auto* link = app.child<QLineEdit>(QStringLiteral("txtCTAURL"));
    auto* add = app.child<QPushButton>(QStringLiteral("cmdAddResource"));
    if (!title || !link || !add)
        return false;
    for (const ResourceEntry& entry : handMade()) {
        typeInto(title, entry.linkText);
        typeInto(link, entry.linkUrl);
        QTest::mouseClick(add, Qt::LeftButton);
    }
    return app.window.resources().entries() == handMade() && app.interaction.shown.isEmpty();
}

const QString DiscussionSearch = QStringLiteral("https://www.quora.com/search?q=");
const QString VideoSearch = QStringLiteral("https://www.youtube.com/results?search_query=");

ResourceEntry discussion(const QString& title, const QString& query)
{
    return {title, DiscussionSearch + query};
}

ResourceEntry video(const QString& title, const QString& query)
{
    return {title, VideoSearch + query};
}

const QString Done = QStringLiteral("Done");
const QString TermsSaved = QStringLiteral("Done! Settings saved. You can close this window if you want.");
const QString ConfirmTitle = QStringLiteral("Please Confirm");
const QString ConfirmDefault = QStringLiteral("Are you sure? This will overwrite the current TOS.");
const QString DefaultLoaded = QStringLiteral("Done! Please remember to save your changes.");
const QString MissingInfo = QStringLiteral("Missing Info");
const QString NeedDiscussions = QStringLiteral("Please add some keywords to the 'Related Discussions Resources'");
const QString NeedVideos = QStringLiteral("Please add some keywords to the 'Related Video Resources'");
const QString NeedOption = QStringLiteral("Please select one or more options.");
const QString ResourcesAdded = QStringLiteral("Done! You can close this window.");

// How a save is made to fail after the editor has opened, in ways that stop root as well.
enum class Breakage { ResourcesFolderIsAFile, TermsFileIsAFolder };

} // namespace

Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(Breakage)

class TestDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linkLabelsOpenTheirDialogs_data();
    void linkLabelsOpenTheirDialogs();

    void termsEditorShowsTheFile_data();
    void termsEditorShowsTheFile();
    void termsSaveRoundTrip_data();
    void termsSaveRoundTrip();
    void termsCloseDiscardsEdits();
    void termsSaveTwiceInformsTwice();
    void termsDefaultDeclinedKeepsTheText();
    void termsDefaultAcceptedLoadsBackupUntilSaved();
    void termsDefaultWithoutBackupWarns();
    void termsFailedSaveKeepsTheFile_data();
    void termsFailedSaveKeepsTheFile();
    void termsMissingFileOpensEmptyAndSaveCreatesIt();
    void termsUnreadableFileIsReportedAndNotOpened();

    void autoResourcesRefusals_data();
    void autoResourcesRefusals();
    void autoResourcesGenerate_data();
    void autoResourcesGenerate();
    void autoResourcesAddTwiceAppendsTwice();
    void autoResourcesCloseAddsNothing();
};

// ---------------------------------------------------------------------------------------------------------
// Opening

void TestDialogs::linkLabelsOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<Trigger>("how");
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("caption");

    const QString terms = QStringLiteral("Terms and Conditions");
    const QString automatic = QStringLiteral("Automatic Resources");
    QTest::newRow("disclaimer, click") << QStringLiteral("Label16") << Trigger::Mouse << QStringLiteral("frmTOS")
                                       << terms;
    QTest::newRow("disclaimer, Return") << QStringLiteral("Label16") << Trigger::ReturnKey << QStringLiteral("frmTOS")
                                        << terms;
    QTest::newRow("disclaimer, Enter") << QStringLiteral("Label16") << Trigger::EnterKey << QStringLiteral("frmTOS")
                                       << terms;
    QTest::newRow("disclaimer, Space") << QStringLiteral("Label16") << Trigger::SpaceKey << QStringLiteral("frmTOS")
                                       << terms;
    QTest::newRow("automatic, click") << QStringLiteral("Label17") << Trigger::Mouse << QStringLiteral("frmPro")
                                      << automatic;
    QTest::newRow("automatic, Return") << QStringLiteral("Label17") << Trigger::ReturnKey << QStringLiteral("frmPro")
                                       << automatic;
    QTest::newRow("automatic, Enter") << QStringLiteral("Label17") << Trigger::EnterKey << QStringLiteral("frmPro")
                                      << automatic;
    QTest::newRow("automatic, Space") << QStringLiteral("Label17") << Trigger::SpaceKey << QStringLiteral("frmPro")
                                      << automatic;
}

void TestDialogs::linkLabelsOpenTheirDialogs()
{
    QFETCH(QString, link);
    QFETCH(Trigger, how);
    QFETCH(QString, dialogName);
    QFETCH(QString, caption);

    App app;
    QVERIFY(app.ready());
    auto* label = app.child<LinkLabel>(link);
    QVERIFY(label);

    const bool ran = whileDialogOpen(
        label,
        [&](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), dialogName);
            QCOMPARE(dialog->windowTitle(), caption);
            QVERIFY(dialog->isModal());
            QCOMPARE(dialog->parentWidget(), &app.window);
        },
        how);
    if (!ran)
        return;
    QVERIFY(app.interaction.shown.isEmpty());
    QVERIFY(app.window.resources().isEmpty());
}

// ---------------------------------------------------------------------------------------------------------
// Terms editor

void TestDialogs::termsEditorShowsTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");

    const QString paragraphs = QStringLiteral("First paragraph.\n\nSecond paragraph.\n\n\nThird.\n");
    const QString foreign = QStringLiteral("Условия использования\n\nΌροι χρήσης — 利用規約");
    QTest::newRow("one line") << QByteArray("Use at your own risk.") << QStringLiteral("Use at your own risk.");
    QTest::newRow("paragraphs") << paragraphs.toUtf8() << paragraphs;
    QTest::newRow("non-Latin letters") << foreign.toUtf8() << foreign;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + foreign.toUtf8() << foreign;
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestDialogs::termsEditorShowsTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);

    App app;
    QVERIFY(app.ready());
    QVERIFY(writeAll(app.terms(), file));

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        QCOMPARE(form.shown(), shown);
    }));
    QVERIFY(app.interaction.shown.isEmpty());
    QCOMPARE(readAll(app.terms()), file);
}

void TestDialogs::termsSaveRoundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("one line") << QStringLiteral("Results are not typical.");
    QTest::newRow("blank lines between paragraphs") << QStringLiteral("Line one\n\nLine three\n\n\nLine six");
    QTest::newRow("blank lines at both ends") << QStringLiteral("\n\nMiddle\n\n");
    QTest::newRow("non-Latin letters") << QStringLiteral("Условия использования\n\nΌροι χρήσης\n\n利用規約 — ✓ 😀");
    QTest::newRow("tabs and non-breaking spaces") << QStringLiteral("Price:\t10\u00A0EUR\n\u00A0indented line");
    QTest::newRow("nothing") << QString();
}

void TestDialogs::termsSaveRoundTrip()
{
    QFETCH(QString, text);

    App app;
    QVERIFY(app.ready());
    QVERIFY(writeAll(app.terms(), QByteArray("Old terms.")));

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        pasteInto(form.text, text);
        QCOMPARE(form.shown(), text);
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(messages(app.interaction), QStringList{message(QStringLiteral("inform"), Done, TermsSaved)});
        QCOMPARE(readAll(app.terms()), text.toUtf8());
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(form.close, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }));

    app.interaction.reset();
    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        QCOMPARE(form.shown(), text);
    }));
    QVERIFY(app.interaction.shown.isEmpty());
    QCOMPARE(readAll(app.terms()), text.toUtf8());
}

void TestDialogs::termsCloseDiscardsEdits()
{
    App app;
    QVERIFY(app.ready());
    const QByteArray original = QStringLiteral("Original terms.\n\nSecond paragraph — ünïcödé.").toUtf8();
    QVERIFY(writeAll(app.terms(), original));

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        form.text->setFocus();
        form.text->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.text, QStringLiteral(" Unsaved words."));
        QVERIFY(form.shown().endsWith(QStringLiteral("Unsaved words.")));
        QTest::mouseClick(form.close, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }));
    QVERIFY(app.interaction.shown.isEmpty());
    QCOMPARE(readAll(app.terms()), original);

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        QCOMPARE(form.shown(), QString::fromUtf8(original));
    }));
    QCOMPARE(readAll(app.terms()), original);
}

void TestDialogs::termsSaveTwiceInformsTwice()
{
    App app;
    QVERIFY(app.ready());
    const QString first = QStringLiteral("First version.");
    const QString second = QStringLiteral("Second version.\nWith two lines.");

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        pasteInto(form.text, first);
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(readAll(app.terms()), first.toUtf8());
        pasteInto(form.text, second);
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(readAll(app.terms()), second.toUtf8());
        QVERIFY(dialog->isVisible());
        QCOMPARE(form.shown(), second);
    }));
    const QString saved = message(QStringLiteral("inform"), Done, TermsSaved);
    QCOMPARE(messages(app.interaction), (QStringList{saved, saved}));
}

void TestDialogs::termsDefaultDeclinedKeepsTheText()
{
    App app;
    QVERIFY(app.ready());
    const QByteArray current = QByteArray("Current terms.");
    QVERIFY(writeAll(app.terms(), current));
    QVERIFY(writeAll(app.defaultTerms(), QByteArray("Default terms.")));
    const QString edited = QStringLiteral("Edited, not saved.");

    app.interaction.answer(false);
    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        pasteInto(form.text, edited);
        QTest::mouseClick(form.loadDefault, Qt::LeftButton);
        QCOMPARE(messages(app.interaction),
                 QStringList{message(QStringLiteral("confirm"), ConfirmTitle, ConfirmDefault)});
        QCOMPARE(form.shown(), edited);
        QVERIFY(dialog->isVisible());
    }));
    QVERIFY(!app.interaction.answersLeft());
    QCOMPARE(readAll(app.terms()), current);
}

void TestDialogs::termsDefaultAcceptedLoadsBackupUntilSaved()
{
    App app;
    QVERIFY(app.ready());
    const QByteArray current = QByteArray("Current terms.");
    const QString backup = QStringLiteral("Default terms.\n\nNo guarantees — garanties — Gewähr.\n");
    QVERIFY(writeAll(app.terms(), current));
    QVERIFY(writeAll(app.defaultTerms(), backup.toUtf8()));

    // The link is used from the keyboard here, the way the main window's links are.
    app.interaction.answer(true);
    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        pasteInto(form.text, QStringLiteral("Edited, not saved."));
        form.loadDefault->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(form.loadDefault->hasFocus());
        QTest::keyClick(form.loadDefault, Qt::Key_Space);
        QCOMPARE(messages(app.interaction),
                 (QStringList{message(QStringLiteral("confirm"), ConfirmTitle, ConfirmDefault),
                              message(QStringLiteral("inform"), Done, DefaultLoaded)}));
        QCOMPARE(form.shown(), backup);
        QCOMPARE(readAll(app.terms()), current);

        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(app.interaction.last().text, TermsSaved);
        QCOMPARE(readAll(app.terms()), backup.toUtf8());
    }));
    QVERIFY(!app.interaction.answersLeft());
    QCOMPARE(readAll(app.defaultTerms()), backup.toUtf8());
}

void TestDialogs::termsDefaultWithoutBackupWarns()
{
    App app;
    QVERIFY(app.ready());
    const QByteArray current = QByteArray("Current terms.");
    QVERIFY(writeAll(app.terms(), current));
    QVERIFY(QFile::remove(app.defaultTerms()));
    const QString edited = QStringLiteral("Edited, not saved.");

    app.interaction.answer(true);
    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        pasteInto(form.text, edited);
        QTest::mouseClick(form.loadDefault, Qt::LeftButton);
        QCOMPARE(app.interaction.shown.size(), 2);
        QCOMPARE(app.interaction.shown.at(0).kind, QStringLiteral("confirm"));
        QCOMPARE(app.interaction.shown.at(1).kind, QStringLiteral("warn"));
        QVERIFY2(app.interaction.shown.at(1).text.contains(QDir::toNativeSeparators(app.defaultTerms())),
                 qPrintable(app.interaction.shown.at(1).text));
        QCOMPARE(form.shown(), edited);
        QVERIFY(dialog->isVisible());
    }));
    QCOMPARE(readAll(app.terms()), current);
    QVERIFY(!QFile::exists(app.defaultTerms()));
}

void TestDialogs::termsFailedSaveKeepsTheFile_data()
{
    QTest::addColumn<Breakage>("breakage");

    QTest::newRow("resources folder replaced by a file") << Breakage::ResourcesFolderIsAFile;
    QTest::newRow("terms file replaced by a folder") << Breakage::TermsFileIsAFolder;
}

void TestDialogs::termsFailedSaveKeepsTheFile()
{
    QFETCH(Breakage, breakage);

    App app;
    QVERIFY(app.ready());
    const QByteArray earlier = QByteArray("Earlier terms.");
    QVERIFY(writeAll(app.terms(), earlier));
    const QString edited = QStringLiteral("Edited terms\n\nthat could not be saved.");
    const QString resources = app.installation.path(QStringLiteral("/resources"));
    const QString resourcesAway = app.installation.path(QStringLiteral("/resources.away"));
    const QString termsAway = app.installation.path(QStringLiteral("/tos.txt.away"));

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        QCOMPARE(form.shown(), QString::fromUtf8(earlier));
        pasteInto(form.text, edited);

        // Break the place the file is saved to; the earlier file is kept aside to be put back.
        if (breakage == Breakage::ResourcesFolderIsAFile) {
            QVERIFY(QDir().rename(resources, resourcesAway));
            QVERIFY(writeAll(resources, QByteArray("not a folder")));
        } else {
            QVERIFY(QFile::rename(app.terms(), termsAway));
            QVERIFY(QDir().mkdir(app.terms()));
        }

        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(app.interaction.shown.size(), 1);
        QCOMPARE(app.interaction.shown.at(0).kind, QStringLiteral("warn"));
        QVERIFY2(app.interaction.shown.at(0).text.contains(QDir::toNativeSeparators(app.terms())),
                 qPrintable(app.interaction.shown.at(0).text));
        QCOMPARE(form.shown(), edited);
        QVERIFY(dialog->isVisible());

        // Nothing was written through the broken place.
        if (breakage == Breakage::ResourcesFolderIsAFile) {
            QCOMPARE(readAll(resources), QByteArray("not a folder"));
            QVERIFY(QFile::remove(resources));
            QVERIFY(QDir().rename(resourcesAway, resources));
        } else {
            QVERIFY(QDir(app.terms()).isEmpty());
            QVERIFY(QDir().rmdir(app.terms()));
            QVERIFY(QFile::rename(termsAway, app.terms()));
        }
        QCOMPARE(readAll(app.terms()), earlier);

        // With the place repaired, the text still in the editor saves.
        app.interaction.reset();
        QTest::mouseClick(form.save, Qt::LeftButton);
        QCOMPARE(messages(app.interaction), QStringList{message(QStringLiteral("inform"), Done, TermsSaved)});
        QCOMPARE(readAll(app.terms()), edited.toUtf8());
    }));
}

void TestDialogs::termsMissingFileOpensEmptyAndSaveCreatesIt()
{
    App app;
    QVERIFY(app.ready());
    QVERIFY(QFile::remove(app.terms()));

    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        QCOMPARE(form.shown(), QString());
    }));
    QVERIFY(app.interaction.shown.isEmpty());
    QVERIFY2(!QFileInfo::exists(app.terms()), "closing without saving created the file");

    const QString text = QStringLiteral("Brand new terms.\n\nSecond paragraph.");
    QVERIFY(whileDialogOpen(app.termsLink(), [&](QDialog* dialog) {
        TermsForm form(dialog);
        QVERIFY(form.found());
        QCOMPARE(form.shown(), QString());
        form.text->setFocus();
        pasteInto(form.text, text);
        QTest::mouseClick(form.save, Qt::LeftButton);
    }));
    QCOMPARE(messages(app.interaction), QStringList{message(QStringLiteral("inform"), Done, TermsSaved)});
    QCOMPARE(readAll(app.terms()), text.toUtf8());
}

void TestDialogs::termsUnreadableFileIsReportedAndNotOpened()
{
    App app;
    QVERIFY(app.ready());
    QVERIFY(QFile::remove(app.terms()));
    QVERIFY(QDir().mkdir(app.terms()));
    LinkLabel* link = app.termsLink();
    QVERIFY(link);

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
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY2(!loopRan, "the terms dialog was shown although its file could not be read");
    QVERIFY(!QApplication::activeModalWidget());

    QCOMPARE(app.interaction.shown.size(), 1);
    QCOMPARE(app.interaction.shown.at(0).kind, QStringLiteral("warn"));
    QVERIFY2(app.interaction.shown.at(0).text.contains(QDir::toNativeSeparators(app.terms())),
             qPrintable(app.interaction.shown.at(0).text));
    QVERIFY(QFileInfo(app.terms()).isDir());
    QVERIFY(QDir(app.terms()).isEmpty());
}

// ---------------------------------------------------------------------------------------------------------
// Automatic resources

void TestDialogs::autoResourcesRefusals_data()
{
    QTest::addColumn<bool>("discussionsOn");
    QTest::addColumn<QString>("discussions");
    QTest::addColumn<bool>("videosOn");
    QTest::addColumn<QString>("videos");
    QTest::addColumn<QString>("refusal");

    const QString none;
    const QString someDiscussions = QStringLiteral("fast hosting");
    const QString someVideos = QStringLiteral("speed test");
    QTest::newRow("discussions ticked, box empty") << true << none << false << none << NeedDiscussions;
    QTest::newRow("discussions ticked, blank lines only")
        << true << QStringLiteral("\n   \n\t\n") << false << someVideos << NeedDiscussions;
    QTest::newRow("discussions ticked, pasted CR LF blank lines")
        << true << QStringLiteral("\r\n  \r\n\r\n") << false << none << NeedDiscussions;
    QTest::newRow("discussions empty, videos ready") << true << none << true << someVideos << NeedDiscussions;
    QTest::newRow("both ticked, both empty") << true << none << true << none << NeedDiscussions;
    QTest::newRow("videos ticked, box empty") << false << someDiscussions << true << none << NeedVideos;
    QTest::newRow("videos ticked, blank lines only, discussions ready")
        << true << someDiscussions << true << QStringLiteral("\n \n") << NeedVideos;
    QTest::newRow("nothing ticked, keywords typed") << false << someDiscussions << false << someVideos << NeedOption;
    QTest::newRow("nothing ticked, nothing typed") << false << none << false << none << NeedOption;
}

void TestDialogs::autoResourcesRefusals()
{
    QFETCH(bool, discussionsOn);
    QFETCH(QString, discussions);
    QFETCH(bool, videosOn);
    QFETCH(QString, videos);
    QFETCH(QString, refusal);

    App app;
    QVERIFY(app.ready());
    QVERIFY(addHandMadeResources(app));

    QVERIFY(whileDialogOpen(app.autoLink(), [&](QDialog* dialog) {
        AutoForm form(dialog);
        QVERIFY(form.found());
        QVERIFY(setTicked(form.discussionsOn, discussionsOn));
        QVERIFY(setTicked(form.videosOn, videosOn));
        pasteInto(form.discussions, discussions);
        pasteInto(form.videos, videos);
        const QStringList before = form.state();

        QTest::mouseClick(form.add, Qt::LeftButton);
        QCOMPARE(messages(app.interaction), QStringList{message(QStringLiteral("inform"), MissingInfo, refusal)});
        QCOMPARE(describe(app.window.resources().entries()), describe(handMade()));
        QVERIFY(listShows(app, handMade()));
        QVERIFY(dialog->isVisible());
        QCOMPARE(form.state(), before);
    }));
    QCOMPARE(describe(app.window.resources().entries()), describe(handMade()));
}

void TestDialogs::autoResourcesGenerate_data()
{
    QTest::addColumn<bool>("discussionsOn");
    QTest::addColumn<QString>("discussions");
    QTest::addColumn<bool>("videosOn");
    QTest::addColumn<QString>("videos");
    QTest::addColumn<int>("orderIndex");
    QTest::addColumn<QString>("typedOrder");        // typed over the order box when not empty
    QTest::addColumn<QString>("discussionsFormat"); // typed over the title format when not empty
    QTest::addColumn<QString>("videosFormat");
    QTest::addColumn<ResourceEntries>("added");

    const QString none;
    const QString fastHosting = QStringLiteral("fast hosting");
    const QString speedTest = QStringLiteral("speed test");
    const ResourceEntry fastHostingDiscussion =
        discussion(QStringLiteral("Discussions: fast hosting"), QStringLiteral("fast hosting"));
    const ResourceEntry speedTestVideo =
        video(QStringLiteral("Video Tutorials: speed test"), QStringLiteral("speed+test"));

    QTest::newRow("discussions alone") << true << fastHosting << false << none << 0 << none << none << none
                                       << ResourceEntries{fastHostingDiscussion};
    QTest::newRow("discussions alone, blank lines between keywords")
        << true << QStringLiteral("WordPress Speed\n\nWordPress Security\n   \nSEO\n") << false << none << 0 << none
        << none << none
        << ResourceEntries{
               discussion(QStringLiteral("Discussions: WordPress Speed"), QStringLiteral("WordPress Speed")),
               discussion(QStringLiteral("Discussions: WordPress Security"), QStringLiteral("WordPress Security")),
               discussion(QStringLiteral("Discussions: SEO"), QStringLiteral("SEO"))};
    QTest::newRow("discussions alone, pasted CR LF lines")
        << true << QStringLiteral("WordPress Speed\r\nWordPress Security\r\n\r\n") << false << none << 0 << none << none
        << none
        << ResourceEntries{
               discussion(QStringLiteral("Discussions: WordPress Speed"), QStringLiteral("WordPress Speed")),
               discussion(QStringLiteral("Discussions: WordPress Security"), QStringLiteral("WordPress Security"))};
    QTest::newRow("discussions alone, videos-first order") << true << fastHosting << false << speedTest << 1 << none
                                                           << none << none << ResourceEntries{fastHostingDiscussion};
    QTest::newRow("videos alone, discussions box empty")
        << false << none << true << speedTest << 0 << none << none << none << ResourceEntries{speedTestVideo};
    QTest::newRow("videos alone, unticked discussions ignored")
        << false << fastHosting << true << QStringLiteral("speed test\r\nsite audit") << 0 << none << none << none
        << ResourceEntries{speedTestVideo,
                           video(QStringLiteral("Video Tutorials: site audit"), QStringLiteral("site+audit"))};
    QTest::newRow("both, discussions first") << true << fastHosting << true << speedTest << 0 << none << none << none
                                             << ResourceEntries{fastHostingDiscussion, speedTestVideo};
    QTest::newRow("both, videos first") << true << fastHosting << true << speedTest << 1 << none << none << none
                                        << ResourceEntries{speedTestVideo, fastHostingDiscussion};
    QTest::newRow("both, order typed over")
        << true << fastHosting << true << speedTest << 0 << QStringLiteral("whatever") << none << none
        << ResourceEntries{speedTestVideo, fastHostingDiscussion};

    const ResourceEntries discussionsAB{discussion(QStringLiteral("Discussions: alpha"), QStringLiteral("alpha")),
                                        discussion(QStringLiteral("Discussions: beta"), QStringLiteral("beta"))};
    const ResourceEntries videosCD{video(QStringLiteral("Video Tutorials: gamma"), QStringLiteral("gamma")),
                                   video(QStringLiteral("Video Tutorials: delta"), QStringLiteral("delta"))};
    QTest::newRow("both, several keywords, discussions first")
        << true << QStringLiteral("alpha\nbeta") << true << QStringLiteral("gamma\n\ndelta") << 0 << none << none
        << none << discussionsAB + videosCD;
    QTest::newRow("both, several keywords, videos first")
        << true << QStringLiteral("alpha\nbeta") << true << QStringLiteral("gamma\n\ndelta") << 1 << none << none
        << none << videosCD + discussionsAB;

    const QString reserved = QStringLiteral("C++\nR&D\n#1");
    QTest::newRow("reserved characters")
        << true << reserved << true << reserved << 0 << none << none << none
        << ResourceEntries{discussion(QStringLiteral("Discussions: C++"), QStringLiteral("C%2B%2B")),
                           discussion(QStringLiteral("Discussions: R&D"), QStringLiteral("R%26D")),
                           discussion(QStringLiteral("Discussions: #1"), QStringLiteral("%231")),
                           video(QStringLiteral("Video Tutorials: C++"), QStringLiteral("C%2B%2B")),
                           video(QStringLiteral("Video Tutorials: R&D"), QStringLiteral("R%26D")),
                           video(QStringLiteral("Video Tutorials: #1"), QStringLiteral("%231"))};
    QTest::newRow("spaces beside a plus sign")
        << true << QStringLiteral("C++ tips") << true << QStringLiteral("C++ tips") << 0 << none << none << none
        << ResourceEntries{discussion(QStringLiteral("Discussions: C++ tips"), QStringLiteral("C%2B%2B tips")),
                           video(QStringLiteral("Video Tutorials: C++ tips"), QStringLiteral("C%2B%2B+tips"))};
    QTest::newRow("percent sign and question mark")
        << true << QStringLiteral("100% uptime?") << true << QStringLiteral("100% uptime?") << 0 << none << none << none
        << ResourceEntries{discussion(QStringLiteral("Discussions: 100% uptime?"), QStringLiteral("100%25 uptime%3F")),
                           video(QStringLiteral("Video Tutorials: 100% uptime?"), QStringLiteral("100%25+uptime%3F"))};
    QTest::newRow("accented letters") << true << QStringLiteral("café crème") << true << QStringLiteral("café crème")
                                      << 0 << none << none << none
                                      << ResourceEntries{discussion(QStringLiteral("Discussions: café crème"),
                                                                    QStringLiteral("caf%C3%A9 cr%C3%A8me")),
                                                         video(QStringLiteral("Video Tutorials: café crème"),
                                                               QStringLiteral("caf%C3%A9+cr%C3%A8me"))};
    QTest::newRow("edited title formats")
        << true << fastHosting << true << speedTest << 0 << none << QStringLiteral("Ask about #KEYWORD#")
        << QStringLiteral("#KEYWORD# on video")
        << ResourceEntries{discussion(QStringLiteral("Ask about fast hosting"), QStringLiteral("fast hosting")),
                           video(QStringLiteral("speed test on video"), QStringLiteral("speed+test"))};
}

void TestDialogs::autoResourcesGenerate()
{
    QFETCH(bool, discussionsOn);
    QFETCH(QString, discussions);
    QFETCH(bool, videosOn);
    QFETCH(QString, videos);
    QFETCH(int, orderIndex);
    QFETCH(QString, typedOrder);
    QFETCH(QString, discussionsFormat);
    QFETCH(QString, videosFormat);
    QFETCH(ResourceEntries, added);

    App app;
    QVERIFY(app.ready());
    QVERIFY(addHandMadeResources(app));
    const ResourceEntries expected = handMade() + added;

    QVERIFY(whileDialogOpen(app.autoLink(), [&](QDialog* dialog) {
        AutoForm form(dialog);
        QVERIFY(form.found());
        QVERIFY(setTicked(form.discussionsOn, discussionsOn));
        QVERIFY(setTicked(form.videosOn, videosOn));
        pasteInto(form.discussions, discussions);
        pasteInto(form.videos, videos);
        if (!discussionsFormat.isEmpty())
            typeInto(form.discussionsFormat, discussionsFormat);
        if (!videosFormat.isEmpty())
            typeInto(form.videosFormat, videosFormat);
        form.order->setCurrentIndex(orderIndex);
        if (!typedOrder.isEmpty()) {
            QVERIFY(form.order->lineEdit());
            typeInto(form.order->lineEdit(), typedOrder);
            QCOMPARE(form.order->currentText(), typedOrder);
        }
        const QStringList before = form.state();

        QTest::mouseClick(form.add, Qt::LeftButton);
        QCOMPARE(messages(app.interaction), QStringList{message(QStringLiteral("inform"), Done, ResourcesAdded)});
        QCOMPARE(describe(app.window.resources().entries()), describe(expected));
        QVERIFY(listShows(app, expected));
        QVERIFY(dialog->isVisible());
        QCOMPARE(form.state(), before);
    }));
    QCOMPARE(describe(app.window.resources().entries()), describe(expected));
}

void TestDialogs::autoResourcesAddTwiceAppendsTwice()
{
    App app;
    QVERIFY(app.ready());
    QVERIFY(addHandMadeResources(app));
    const ResourceEntries once{discussion(QStringLiteral("Discussions: fast hosting"), QStringLiteral("fast hosting")),
                               video(QStringLiteral("Video Tutorials: speed test"), QStringLiteral("speed+test"))};

    QVERIFY(whileDialogOpen(app.autoLink(), [&](QDialog* dialog) {
        AutoForm form(dialog);
        QVERIFY(form.found());
        QVERIFY(setTicked(form.discussionsOn, true));
        QVERIFY(setTicked(form.videosOn, true));
        form.discussions->setFocus();
        QTest::keyClicks(form.discussions, QStringLiteral("fast hosting"));
        form.videos->setFocus();
        QTest::keyClicks(form.videos, QStringLiteral("speed test"));

        QTest::mouseClick(form.add, Qt::LeftButton);
        QCOMPARE(describe(app.window.resources().entries()), describe(handMade() + once));
        QTest::mouseClick(form.add, Qt::LeftButton);
        QCOMPARE(describe(app.window.resources().entries()), describe(handMade() + once + once));
        QVERIFY(listShows(app, handMade() + once + once));
        QVERIFY(dialog->isVisible());
    }));
    const QString added = message(QStringLiteral("inform"), Done, ResourcesAdded);
    QCOMPARE(messages(app.interaction), (QStringList{added, added}));
}

void TestDialogs::autoResourcesCloseAddsNothing()
{
    App app;
    QVERIFY(app.ready());
    QVERIFY(addHandMadeResources(app));

    QVERIFY(whileDialogOpen(app.autoLink(), [&](QDialog* dialog) {
        AutoForm form(dialog);
        QVERIFY(form.found());
        QVERIFY(setTicked(form.discussionsOn, true));
        QVERIFY(setTicked(form.videosOn, true));
        pasteInto(form.discussions, QStringLiteral("fast hosting"));
        pasteInto(form.videos, QStringLiteral("speed test"));
        QTest::mouseClick(form.close, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }));
    QVERIFY(app.interaction.shown.isEmpty());
    QCOMPARE(describe(app.window.resources().entries()), describe(handMade()));
    QVERIFY(listShows(app, handMade()));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
