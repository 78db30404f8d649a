// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet model without a window: each list command is one step that undoes and redoes exactly, the sheet it
// gives follows the list, and it says what changed.
#include "TestSupport.h"
#include "model/SheetModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace orvanta;
using Change = SheetModel::Change;
using Command = std::function<void(SheetModel&)>;
Q_DECLARE_METATYPE(Command)

namespace {

QString texts(const Sheet& sheet)
{
    QStringList texts;
    for (const ResourceEntry& entry : sheet.resources)
        texts.append(entry.linkText);
    return texts.join(u' ');
}

ResourceEntries entries(const QString& texts)
{
    ResourceEntries entries;
    for (const QString& text : texts.split(u' ', Qt::SkipEmptyParts))
        entries.append({text, u"https://"_s + text + u".test"_s});
    return entries;
}

} // namespace

class TestSheetModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listCommands_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("after"); // "" when the command is no step at all
        const auto row = [](const char* tag, const Command& command, const char* after) {
            QTest::newRow(tag) << command << QString::fromUtf8(after);
        };
        row(
            "insert at two places",
            [](SheetModel& m) {
                m.insertResources({1, 3}, entries(u"X Y"_s), u"s"_s);
            },
            "a X b Y c d");
        row(
            "append", [](SheetModel& m) { m.appendResources(entries(u"X"_s), u"s"_s); }, "a b c d X");
        row(
            "remove rows given in any order",
            [](SheetModel& m) {
                m.removeResources({3, 0, 2}, u"s"_s);
            },
            "b");
        row(
            "replace", [](SheetModel& m) { m.replaceResource(2, entries(u"Z"_s).first(), u"s"_s); }, "a b Z d");
        row(
            "reorder",
            [](SheetModel& m) {
                m.reorderResources({3, 0, 1, 2}, u"s"_s);
            },
            "d a b c");
        row(
            "insert nothing", [](SheetModel& m) { m.insertResources({}, {}, u"s"_s); }, "");
        row(
            "remove nothing", [](SheetModel& m) { m.removeResources({}, u"s"_s); }, "");
        row(
            "replace with the same", [](SheetModel& m) { m.replaceResource(1, entries(u"b"_s).first(), u"s"_s); }, "");
        row(
            "an order that moves nothing",
            [](SheetModel& m) {
                m.reorderResources({0, 1, 2, 3}, u"s"_s);
            },
            "");
    }

    void listCommands()
    {
        QFETCH(Command, command);
        QFETCH(QString, after);
        Sheet sheet;
        sheet.resources = entries(u"a b c d"_s);
        SheetModel model;
        model.setSheet(sheet);
        QAbstractItemModelTester tester(&model.resources(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &SheetModel::changed);
        command(model);
        QCOMPARE(model.undoStack().count(), after.isEmpty() ? 0 : 1);
        if (after.isEmpty()) {
            QCOMPARE(changed.count(), 0);
            return;
        }
        QCOMPARE(texts(model.sheet()), after);
        QCOMPARE(model.undoStack().undoText(), u"s"_s);
        model.undoStack().undo();
        QVERIFY(model.sheet() == sheet); // the URLs too
        model.undoStack().redo();
        QCOMPARE(texts(model.sheet()), after);
        QCOMPARE(model.sheet().resources, model.resources().entries());
        for (const QList<QVariant>& signal : changed)
            QCOMPARE(signal.at(0).value<Change>(), Change::Resources);
    }

    // Texts and switches are set one by one, and only a real change is announced; a new sheet is one change and
    // leaves nothing to undo.
    void fieldsAndWholeSheets()
    {
        SheetModel model;
        model.appendResources(entries(u"a"_s), u"s"_s);
        QSignalSpy changed(&model, &SheetModel::changed);
        model.setText(&Sheet::footer, Sheet{}.footer);
        model.setFlag(&Sheet::disclaimer, false);
        QCOMPARE(changed.count(), 0);
        model.setText(&Sheet::subheadline, u"S"_s);
        model.setFlag(&Sheet::noteBelowEachResource, true);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).value<Change>(), Change::Text);
        QCOMPARE(changed.at(1).at(0).value<Change>(), Change::Flag);
        QVERIFY(model.sheet().subheadline == u"S"_s && model.sheet().noteBelowEachResource);

        const Sheet other = SheetWithEverything();
        model.setSheet(other);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.last().at(0).value<Change>(), Change::Whole);
        QVERIFY(model.sheet() == other);
        QCOMPARE(model.resources().entries(), other.resources);
        QVERIFY(!model.undoStack().canUndo());
    }
};

QTEST_GUILESS_MAIN(TestSheetModel)
#include "tst_sheetmodel.moc"
