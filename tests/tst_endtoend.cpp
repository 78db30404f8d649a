// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped templates through the real engine that Automatic takes, as the user gets them, read back from the PDF.
#include "GuiTestSupport.h"
#include "engines/Conversion.h"
#include "sheet/KeywordResources.h"

#include <QCheckBox>
#include <QTest>

using namespace orvanta;

class TestEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Typed and generated resources, the note and the disclaimer, from an installation whose path needs quoting. The
    // converter writes a discussion link's space as %20.
    void everyPartReachesThePdf()
    {
        isolateUserFolders();
        TestInstallation installation(u"My \"Cheat\" Sheets — Привет's"_s);
        QVERIFY(installation.isValid());
        ScriptedInteraction interaction;
        MainWindow window(installation.folder(), interaction);
        window.show();
        child<QLineEdit>(&window, "txtHeaderTitle")->setText(u"Launch Checklist"_s);
        child<QLineEdit>(&window, "txtHeaderSubtitle")->setText(u"Tools that work"_s);
        child<QLineEdit>(&window, "txtCTAText")->setText(u"Привет---Logo"_s);
        child<QLineEdit>(&window, "txtCTAURL")->setText(u"https://example.net/logo?size=big&a=1"_s);
        QTest::keyClick(child<QLineEdit>(&window, "txtCTAURL"), Qt::Key_Return);
        window.resources().append(DiscussionResources(u"fast hosting\r\nC++\r\n"_s, u"Discussions: #KEYWORD#"_s) +
                                  VideoResources(u"R&D\n#1 tool"_s, u"Video Tutorials: #KEYWORD#"_s));
        child<QCheckBox>(&window, "chkDisclaimer")->setChecked(true);
        child<QCheckBox>(&window, "chkAddResourceInstructions")->setChecked(true);
        child<QLineEdit>(&window, "txtPDFFilename")->setText(u"launch list"_s);
        interaction.answer(true);
        QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));

        const QString pdf = installation.path(u"/bin/output/launch-list.pdf"_s);
        const QString text = pdfText(pdf);
        const QString terms = QString::fromUtf8(readAll(installation.path(u"/resources/tos.txt"_s)));
        for (const QString& part :
             {u"Launch Checklist"_s, u"Tools that work"_s, u"Привет---Logo"_s, u"Discussions: C++"_s,
              u"Video Tutorials: R&D"_s, u"OurWebsite.com"_s, u"CTRL + Click"_s, terms.left(30)})
            QVERIFY2(text.contains(part), qPrintable(part));
        QCOMPARE(pdfLinks(pdf), (QStringList{u"https://example.net/logo?size=big&a=1"_s,
                                             u"https://www.quora.com/search?q=fast%20hosting"_s,
                                             u"https://www.quora.com/search?q=C%2B%2B"_s,
                                             u"https://www.youtube.com/results?search_query=R%26D"_s,
                                             u"https://www.youtube.com/results?search_query=%231+tool"_s}));
        QCOMPARE(interaction.openedFolders, QStringList{installation.path(u"/bin/output"_s)});
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
