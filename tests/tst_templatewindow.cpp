// Templates in the main window: Insert > Template... and the Templates pane with their form, File >
// Save as Template..., driven through the real window with a scripted user filling the dialogs.
#include "core/dryrun/dryrun.h"
#include "core/partfile/partfile.h"
#include "core/templates/templatelibrary.h"
#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/templates/savetemplatedialog.h"
#include "gui/templates/templateactions.h"
#include "gui/templates/templateform.h"
#include "gui/templates/templatesdock.h"
#include "mainwindowfixture.h"
#include "onwindows.h"
#include "shownastyped.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUndoStack>

namespace {

// "name=value;name=value" as what a user types into a form's boxes, by parameter name.
QHash<QString, QString> typed(const QString& words) {
    QHash<QString, QString> out;
    for (const QString& w : words.split(u';', Qt::SkipEmptyParts))
        out.insert(w.section(u'=', 0, 0), w.section(u'=', 1));
    return out;
}

// Types into the form's boxes by parameter name.
void typeValues(TemplateForm& form, const QHash<QString, QString>& values) {
    const templates::Template& t = form.chosen();
    for (qsizetype i = 0; i < t.parameters.size(); ++i)
        if (values.contains(t.parameters[i].name)) form.fields()[i]->setText(values[t.parameters[i].name]);
}

// Fills the template form (choosing the template by name when given) and presses Insert; the
// runner's own answer is whether the form was accepted.
DialogRunner fillForm(const QString& choose, const QHash<QString, QString>& values, int* shown = nullptr) {
    return [=](QDialog& dialog) {
        auto* form = qobject_cast<TemplateForm*>(&dialog);
        if (!form) return false;
        if (shown) ++*shown;
        if (!choose.isEmpty()) form->findChild<QComboBox*>(QStringLiteral("cmbTemplate"))->setCurrentText(choose);
        typeValues(*form, values);
        form->pressInsert();
        return form->result().has_value();
    };
}

QStringList writtenProgram(MainWindow& w) {
    return partfile::programLines(w.document().model()).mid(3);
}

} // namespace

class tst_TemplateWindow : public QObject, public MainWindowFixture {
    Q_OBJECT

    QString templatesFolder() const { return userTemplatesFolder(); }

    std::unique_ptr<MainWindow> started(const DialogRunner& runner) {
        auto w = startWindow(runner, false, QStringLiteral("job.cvp"));
        m_platform.asked.clear();
        return w;
    }

    static void addMoves(MainWindow& w, int count) {
        for (int i = 1; i <= count; ++i)
            w.document().addLine(Kind::Move, ComposedLine{QStringLiteral("MX, %1").arg(i), {}, {}, {}});
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        resetFixture();
        QDir(templatesFolder()).removeRecursively();
    }

    // The form's numbers reach the Variable lines, the template's lines follow them after the
    // selected line (at the end without one), and one Undo takes all of them back.
    void insertAfterSelection_data() {
        QTest::addColumn<int>("selectedMove"); // 0: no selection
        QTest::addColumn<QString>("values");
        QTest::addColumn<QStringList>("variableLines");
        const QStringList defaults{"&&width = 10",     "&&length = 10", "&&depth = 0.05",
                                   "&&stepover = 0.5", "&&bit = 1",     "&&safez = 0.5"};
        QTest::newRow("defaults, at the end") << 0 << QString() << defaults;
        QTest::newRow("typed values, after the second line")
            << 2 << "width=12.5;depth=,125;safez=2"
            << QStringList{"&&width = 12.5", "&&length = 10", "&&depth = 0.125"} + defaults.mid(3, 2) +
                   QStringList{"&&safez = 2"};
        QTest::newRow("blanks around a number, after the first line")
            << 1 << "length=\t 7 " << QStringList{defaults[0], "&&length = 7"} + defaults.mid(2);
        // -1: no selection, and the program ends in END, which the template must not follow.
        QTest::newRow("defaults, before a closing END") << -1 << QString() << defaults;
    }
    void insertAfterSelection() {
        QFETCH(int, selectedMove);
        QFETCH(QString, values);
        QFETCH(QStringList, variableLines);
        auto w = started(fillForm(QStringLiteral("Surfacing"), typed(values)));
        addMoves(*w, 3);
        if (selectedMove < 0) {
            ComposedLine end;
            end.held = QStringLiteral("END");
            QVERIFY(w->document().addLine(Kind::End, end));
        }
        if (selectedMove > 0) model(*w).select(Kind::Move, selectedMove);
        const QStringList before = writtenProgram(*w);
        const int steps = w->document().undoStack()->count();
        const auto selectedRow = [&] {
            const ProgramModel& m = model(*w);
            return m.selectionExists() ? m.rowOf(m.selection()) : 0;
        };
        const int selectedBefore = selectedRow();

        action(*w, "mnuTemplate")->trigger();

        const templates::Template surfacing = templates::builtIns().front();
        const int at = selectedMove > 0 ? selectedMove : 3;
        QStringList expected = before.mid(0, at);
        for (const QString& v : variableLines)
            expected << v + QStringLiteral("   ");
        expected << surfacing.lines << before.mid(at);
        QCOMPARE(writtenProgram(*w), expected);
        QVERIFY(m_platform.asked.isEmpty());
        QCOMPARE(model(*w).checkInvariants(), QString());
        // The panel's current line is the last one inserted.
        const int last = at + int(variableLines.size() + surfacing.lines.size());
        QCOMPARE(w->scrollArea()->panel()->currentRow(), last);
        QCOMPARE(selectedRow(), last);

        QCOMPARE(w->document().undoStack()->count(), steps + 1);
        action(*w, "mnuUndo")->trigger();
        QCOMPARE(writtenProgram(*w), before);
        QCOMPARE(selectedRow(), selectedBefore);
        action(*w, "mnuRedo")->trigger();
        QCOMPARE(writtenProgram(*w), expected);
    }

    // Lines past the 100-line limit are refused before anything is inserted, saying how many fit;
    // a full program is refused before the form opens.
    void insertIntoNearlyFullProgram_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("formShown");
        QTest::addColumn<QString>("message"); // empty: inserted
        const int surfacing =
            int(templates::builtIns().front().parameters.size() + templates::builtIns().front().lines.size());
        QTest::newRow("one line short") << 100 - surfacing + 1 << true
                                        << QStringLiteral("The template gives %1 lines, but a part file holds at most "
                                                          "100 lines: %2 more fit in this one. Nothing was inserted.")
                                               .arg(surfacing)
                                               .arg(surfacing - 1);
        QTest::newRow("exactly full afterwards") << 100 - surfacing << true << QString();
        QTest::newRow("full") << 100 << false
                              << "A part file holds at most 100 lines, and this one is full. Nothing was inserted.";
    }
    void insertIntoNearlyFullProgram() {
        QFETCH(int, lines);
        QFETCH(bool, formShown);
        QFETCH(QString, message);
        int shown = 0;
        auto w = started(fillForm(QStringLiteral("Surfacing"), {}, &shown));
        addMoves(*w, lines);
        const QStringList before = writtenProgram(*w);
        const int steps = w->document().undoStack()->count();

        action(*w, "mnuTemplate")->trigger();

        QCOMPARE(shown, formShown ? 1 : 0);
        QCOMPARE(m_platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(model(*w).lineCount(), message.isEmpty() ? 100 : lines);
        if (!message.isEmpty()) {
            QCOMPARE(writtenProgram(*w), before);
            QCOMPARE(w->document().undoStack()->count(), steps);
        }
    }

    // A box that holds no number is marked, named under the form, and keeps Insert disabled.
    void numbersAreChecked_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a word") << "width=ten"
                                << "The value of &width is not a number.";
        QTest::newRow("an exponent and a thousands separator") << "depth=1e3;stepover=1,000.5"
                                                               << "The values of &depth, &stepover are not numbers.";
        QTest::newRow("empty") << "safez="
                               << "The value of &safez is not a number.";
        QTest::newRow("all good, a decimal comma") << "width=3;length=.5;stepover= 0,25 " << QString();
        QTest::newRow("below its range")
            << "depth=-0.05"
            << "&depth (Depth below the top of the blank) must be a number above 0 and at most 10000.";
        QTest::newRow("wider than the bit")
            << "stepover=1,5"
            << "The step-over must not be wider than the bit, or strips between the passes stay uncut.";
    }
    void numbersAreChecked() {
        QFETCH(QString, values);
        QFETCH(QString, problem);
        QString seen;
        bool insertEnabled = false;
        auto w = started([&](QDialog& dialog) {
            auto* form = qobject_cast<TemplateForm*>(&dialog);
            typeValues(*form, typed(values));
            const auto* label = form->findChild<QLabel*>(QStringLiteral("lblProblem"));
            seen = label->isVisibleTo(form) ? label->text() : QString();
            insertEnabled = form->findChild<QPushButton*>(QStringLiteral("cmdInsert"))->isEnabled();
            form->pressInsert();
            return form->result().has_value();
        });
        addMoves(*w, 1);

        action(*w, "mnuTemplate")->trigger();

        QCOMPARE(seen, problem);
        QCOMPARE(insertEnabled, problem.isEmpty());
        QCOMPARE(model(*w).lineCount() > 1, problem.isEmpty());
    }

    // What Save as Template writes reads back with the chosen parameters, their defaults the numbers
    // set, their setting lines left to the parameters; inserted with its defaults it gives the range's
    // lines again, the parameters' lines first.
    void saveAsTemplateRoundTrip_data() {
        QTest::addColumn<QStringList>("program"); // lines as written
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("ticked"); // "name:prompt"
        QTest::addColumn<QString>("parameters"); // name=default"prompt", as read back
        QTest::addColumn<QStringList>("lines");  // the template's lines, as read back
        const QStringList program{
            "&&w = 4   'Pocket width", "&&d = -0.25   ", "MX, &w   ", "loop:", "&&n = 3   ", "MY, &d   "};
        QTest::newRow("whole program, both offered")
            << program << 1 << 6 << QStringList{"w:Width", "d:"} << "w=4\"Width\" d=-0.25\"\""
            << QStringList{"MX, &w   ", "loop_2:", "&&n = 3   ", "MY, &d   "};
        // Its labels are renamed, so that inserting it where it came from defines none twice.
        QStringList renamed = program;
        renamed[3] = "loop_2:";
        QTest::newRow("none ticked keeps every line") << program << 1 << 6 << QStringList{} << QString() << renamed;
        QTest::newRow("a range from the third line")
            << program << 3 << 5 << QStringList{} << QString() << renamed.mid(2, 3);
        QTest::newRow("a variable after a label cannot be ticked")
            << program << 4 << 6 << QStringList{"n:Count"} << QString() << renamed.mid(3, 3);
        QTest::newRow("a range starting at the setting line")
            << program << 5 << 6 << QStringList{"n:Count"} << "n=3\"Count\"" << QStringList{"MY, &d   "};
    }
    void saveAsTemplateRoundTrip() {
        QFETCH(QStringList, program);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, ticked);
        QFETCH(QString, parameters);
        QFETCH(QStringList, lines);
        const QString name = QStringLiteral("My pocket");
        auto w = started([&](QDialog& dialog) {
            auto* save = qobject_cast<SaveTemplateDialog*>(&dialog);
            if (!save) return fillForm(name, {})(dialog);
            save->findChild<QLineEdit*>(QStringLiteral("txtTemplateName"))->setText(name);
            save->findChild<QLineEdit*>(QStringLiteral("txtDescription"))->setText(QStringLiteral("A test pocket"));
            save->findChild<QSpinBox*>(QStringLiteral("txtFromLine"))->setValue(from);
            save->findChild<QSpinBox*>(QStringLiteral("txtToLine"))->setValue(to);
            for (const QString& t : ticked) {
                for (auto* box : save->findChildren<QCheckBox*>()) {
                    if (!box->isEnabled() || !box->text().startsWith("&&" + t.section(u':', 0, 0) + " =")) continue;
                    box->setChecked(true);
                    const QString row = box->objectName().section(u'_', 1);
                    auto* prompt = save->findChild<QLineEdit*>(QStringLiteral("txtPrompt_") + row);
                    prompt->setText(t.section(u':', 1));
                }
            }
            save->pressSave();
            return save->result().has_value();
        });
        QByteArray file = partfile::CreatedLine.toLatin1() + "\r\n'\r\n'\r\n";
        for (const QString& l : program)
            file += l.toLatin1() + "\r\n";
        putBytes(path(QStringLiteral("source.cvp")), file);
        QVERIFY(w->document().open(path(QStringLiteral("source.cvp"))).ok);
        QCOMPARE(writtenProgram(*w), program);

        action(*w, "mnuSaveTemplate")->trigger();

        const templates::ParseResult read = templates::readFile(QDir(templatesFolder()).filePath(name + ".cvp"));
        QVERIFY2(read.ok, qPrintable(read.errors.join(u'\n')));
        QStringList params;
        for (const templates::Parameter& p : read.ok->parameters)
            params << p.name + u'=' + templates::numberText(p.defaultValue) + u'"' + p.prompt + u'"';
        QCOMPARE(params.join(u' '), parameters);
        QCOMPARE(read.ok->description, QStringLiteral("A test pocket"));
        QCOMPARE(read.ok->lines, lines);

        // The saved template is offered, and inserted with its defaults gives the range back.
        w->document().reset();
        w->templates().reload();
        QCOMPARE(w->templates().entries().back().t.name, name);
        w->templates().insertTemplate(int(w->templates().entries().size()) - 1);
        QStringList expected;
        for (const templates::Parameter& p : read.ok->parameters)
            expected << QStringLiteral("&&%1 = %2   ").arg(p.name, templates::numberText(p.defaultValue));
        QCOMPARE(writtenProgram(*w), expected + lines);
    }

    // A template inserted twice, or saved from a built-in and inserted beside it, defines no label
    // twice: the run ends rather than jumping back into the first copy.
    void insertedLabelsAreNewNames() {
        const QString name = QStringLiteral("From surfacing");
        auto w = started([&](QDialog& dialog) {
            auto* save = qobject_cast<SaveTemplateDialog*>(&dialog);
            if (!save) return fillForm(QString(), typed("width=1;length=1"))(dialog);
            save->findChild<QLineEdit*>(QStringLiteral("txtTemplateName"))->setText(name);
            save->pressSave();
            return save->result().has_value();
        });
        w->templates().insertTemplate(0);
        w->templates().insertTemplate(0);
        action(*w, "mnuSaveTemplate")->trigger();
        w->templates().reload();
        QCOMPARE(w->templates().entries().back().t.name, name);
        w->templates().insertTemplate(int(w->templates().entries().size()) - 1);

        const QStringList lines = writtenProgram(*w);
        QCOMPARE(templates::labelKeys(lines).size(), 4 * templates::labelKeys(templates::builtIns()[0].lines).size());
        const dryrun::Trace t =
            dryrun::run(dryrun::programFromText("p.cvp", "/", lines.join(u'\n')), {}, {}, dryrun::fileLoader());
        QVERIFY(!t.stepLimitReached);
    }

    // A template of the most parameters a template takes opens a form that scrolls, not one taller
    // than the screen.
    void manyParametersScroll() {
        QDir().mkpath(templatesFolder());
        QByteArray file;
        for (int i = 1; i <= templates::MaxParameters; ++i)
            file += QByteArrayLiteral("'' param &p") + QByteArray::number(i) + " = 1 \"Value\"\r\n";
        putBytes(QDir(templatesFolder()).filePath("many.cvp"), file + "MX, &p1   \r\n");
        int height = 0, rows = 0;
        auto w = started([&](QDialog& dialog) {
            auto& form = static_cast<TemplateForm&>(dialog);
            form.findChild<QComboBox*>(QStringLiteral("cmbTemplate"))->setCurrentText(QStringLiteral("many"));
            height = form.sizeHint().height();
            rows = int(form.fields().size()) * form.fields()[0]->sizeHint().height();
            return false;
        });
        action(*w, "mnuTemplate")->trigger();
        QVERIFY2(height > 0 && height < rows / 2, qPrintable(QStringLiteral("%1 of %2").arg(height).arg(rows)));
    }

    // The pane lists the built-in templates and the user's files, a file that is no template greyed
    // with its reason; Enter on an entry opens the form on that template.
    void paneListsAndInserts() {
        QDir().mkpath(templatesFolder());
        putBytes(QDir(templatesFolder()).filePath("Bad.cvp"), "'' param &2x = 1 \"X\"\r\n");
        putBytes(QDir(templatesFolder()).filePath("corner.cvp"), "' Move to the corner\r\nMX, 0   \r\n");
        QString chosen;
        auto w = started([&](QDialog& dialog) {
            chosen = qobject_cast<TemplateForm*>(&dialog)->chosen().name;
            return fillForm(QString(), {})(dialog);
        });
        w->show();
        action(*w, "mnuTemplates")->trigger();
        QVERIFY(w->templates().dock()->isVisible());
        QTreeWidget* list = w->templates().dock()->list();
        QStringList shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shown << list->topLevelItem(i)->text(0) + (list->topLevelItem(i)->isDisabled() ? "(x)" : "") + ": " +
                         list->topLevelItem(i)->text(1).section(u':', 0, 0);
        QStringList expected;
        for (const templates::Template& t : templates::builtIns())
            expected << t.name + ": " + t.description.section(u':', 0, 0);
        expected << "Bad(x): Not a template"
                 << "corner: Move to the corner";
        QCOMPARE(shown, expected);

        list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(chosen, QStringLiteral("corner"));
        QCOMPARE(writtenProgram(*w), QStringList{"MX, 0   "});
    }

    // A template's description, prompt and name reach the pane and the form as typed, never as markup.
    void textsFromTheFileShowAsTyped_data() { addMarkupRows(); }
    void textsFromTheFileShowAsTyped() {
        QFETCH(QString, markup);
        QDir().mkpath(templatesFolder());
        putBytes(QDir(templatesFolder()).filePath("tag.cvp"),
                 "'' param &d = 1 \"" + markup.toUtf8() + "\"\r\n' " + markup.toUtf8() + "\r\nMZ, , , &d   \r\n");
        // Windows keeps "<" and ">" out of file names; an entity shows as markup just the same.
        const QString badName = onWindows() ? QStringLiteral("&lt;b&gt;x") : QStringLiteral("<b>x");
        putBytes(QDir(templatesFolder()).filePath(badName + QStringLiteral(".cvp")), "'' param &2x = 1 \"X\"\r\n");
        QStringList shown;
        auto w = started([&](QDialog& dialog) {
            for (const QLabel* l : dialog.findChildren<QLabel*>())
                shown << shownAs(l->text(), l->textFormat());
            return false;
        });
        w->show();
        action(*w, "mnuTemplates")->trigger();
        QTreeWidget* list = w->templates().dock()->list();
        const QList<QTreeWidgetItem*> tags = list->findItems(QStringLiteral("tag"), Qt::MatchExactly);
        QCOMPARE(tags.size(), 1);
        QCOMPARE(shownAs(tags[0]->toolTip(1)), markup);
        const QList<QTreeWidgetItem*> bad = list->findItems(badName, Qt::MatchExactly);
        QCOMPARE(bad.size(), 1);
        QVERIFY2(shownAs(bad[0]->toolTip(0)).endsWith(badName + QStringLiteral(".cvp")),
                 qPrintable(bad[0]->toolTip(0)));
        list->setCurrentItem(tags[0]);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY2(shown.count(markup) == 2, qPrintable(shown.join(u'|'))); // the description and the prompt
    }
};

#include "testmain.h"
QTEST_MAIN(tst_TemplateWindow)
#include "tst_templatewindow.moc"
