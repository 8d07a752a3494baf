#include "dialog_answerer.h"
#include "script_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace morvane::testing;
using morvane::host::ScriptHost;

namespace {

// Opens the kinds of dialog the plug-in opens, for scripts to run into.
class DialogProbe : public QObject {
    Q_OBJECT
public:
    QString folder;

    // A "Warning" box with Yes and Cancel and no default button.
    Q_INVOKABLE QString askYesCancel(const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text);
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(cancel);
        box.exec();
        if (!box.clickedButton())
            return QStringLiteral("none");
        return box.clickedButton() == yes ? QStringLiteral("Yes") : QStringLiteral("Cancel");
    }
    Q_INVOKABLE bool warn() {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), QStringLiteral("bad"));
        QPushButton* ok = box.addButton(QStringLiteral("&OK"), QMessageBox::AcceptRole);
        box.exec();
        return box.clickedButton() == ok;
    }
    Q_INVOKABLE QString openFile() {
        return QFileDialog::getOpenFileName(nullptr, QStringLiteral("Open File"), folder,
                                            QStringLiteral("Presets (*.ipf)"));
    }
    Q_INVOKABLE QString saveFile() {
        return QFileDialog::getSaveFileName(nullptr, QStringLiteral("Save File"), folder);
    }
    Q_INVOKABLE double askNumber() {
        bool accepted = false;
        const double value = QInputDialog::getDouble(nullptr, QStringLiteral("Scale"),
                                                     QStringLiteral("percent"), 100, 1, 500, 2,
                                                     &accepted);
        return accepted ? value : -1;
    }
    Q_INVOKABLE QString askText() {
        bool accepted = false;
        const QString text = QInputDialog::getText(nullptr, QStringLiteral("Preset"),
                                                   QStringLiteral("name"), QLineEdit::Normal,
                                                   QString(), &accepted);
        return accepted ? text : QStringLiteral("<cancelled>");
    }
};

class ScriptDialogsTest : public ScriptFixture {
protected:
    ScriptDialogsTest() {
        probe.folder = dir.path();
        engine.globalObject().setProperty("probe", engine.newQObject(&probe));
        // A dialog left open must fail the test, not hang it.
        QObject::connect(&guard, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a dialog was left open: "
                              << qPrintable(dialog->windowTitle());
                dialog->reject();
            }
        });
        guard.setSingleShot(true);
        guard.start(15000);
    }

    QString makeFile(const QString& name) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    ScriptHost::Result expectRuns(const QString& program) {
        const ScriptHost::Result result = run(program);
        EXPECT_EQ(result.outcome, ScriptHost::Result::Finished) << qPrintable(result.error);
        return result;
    }

    QTemporaryDir dir;
    DialogProbe probe;
    QTimer guard;
};

TEST_F(ScriptDialogsTest, ButtonsAreClickedByTheirText) {
    expectRuns("answerDialogs(['Yes', 'cancel', '&OK', 'OK']);"
               "var a = probe.askYesCancel('quit?');"
               "var b = probe.askYesCancel('restart?');"
               "var c = probe.warn(); var d = probe.warn();");
    EXPECT_EQ(global("a").toString(), "Yes");
    EXPECT_EQ(global("b").toString(), "Cancel");
    EXPECT_TRUE(global("c").toBool());
    EXPECT_TRUE(global("d").toBool());
    EXPECT_TRUE(reports.isEmpty()) << qPrintable(reports.join('\n'));
}

TEST_F(ScriptDialogsTest, FileDialogsTakeThePathAndInputDialogsTheValue) {
    const QString preset = makeFile("x.ipf");
    const QString target = dir.filePath("new.ipf");
    expectRuns(QStringLiteral("answerDialogs(['%1', '%2', 12.5, 'my preset', 'Cancel']);"
                              "var file = probe.openFile(); var saved = probe.saveFile();"
                              "var number = probe.askNumber(); var text = probe.askText();"
                              "var none = probe.openFile();")
                   .arg(preset, target));
    EXPECT_EQ(global("file").toString(), preset);
    EXPECT_EQ(global("saved").toString(), target);
    EXPECT_DOUBLE_EQ(global("number").toNumber(), 12.5);
    EXPECT_EQ(global("text").toString(), "my preset");
    EXPECT_EQ(global("none").toString(), "");
    EXPECT_TRUE(reports.isEmpty()) << qPrintable(reports.join('\n'));
}

TEST_F(ScriptDialogsTest, AnswersThatDoNotFitAreReportedAndTheDialogRejected) {
    expectRuns(QStringLiteral("answerDialogs(['Maybe', '%1', 'abc', '%2']);"
                              "var box = probe.askYesCancel('quit?');"
                              "var missing = probe.openFile();"
                              "var number = probe.askNumber();"
                              "var folder = probe.openFile();")
                   .arg(dir.filePath("missing.ipf"), dir.path()));
    EXPECT_EQ(global("box").toString(), "none");
    EXPECT_EQ(global("missing").toString(), "");
    EXPECT_EQ(global("number").toNumber(), -1);
    EXPECT_EQ(global("folder").toString(), "");
    ASSERT_EQ(reports.size(), 4) << qPrintable(reports.join('\n'));
    EXPECT_EQ(reports[0], "answerDialogs: the dialog \"Warning\" (\"quit?\") has no button "
                          "\"Maybe\"; rejected");
    EXPECT_EQ(reports[1], QStringLiteral("answerDialogs: the dialog \"Open File\" finds no file "
                                         "%1; rejected")
                              .arg(dir.filePath("missing.ipf")));
    EXPECT_EQ(reports[2], "answerDialogs: the dialog \"Scale\" takes a number, not \"abc\"; "
                          "rejected");
    EXPECT_TRUE(reports[3].contains("finds no file " + dir.path())) << qPrintable(reports[3]);
}

TEST_F(ScriptDialogsTest, ABoxWithNoAnswerLeftWaitsForTheUser) {
    // The box must still be up a second later; the test then answers it.
    bool stillOpen = false;
    QTimer::singleShot(1000, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        stillOpen = box && box->isVisible();
        if (box)
            box->button(QMessageBox::Cancel)->click();
    });
    expectRuns("answerDialogs(['Yes']);"
               "var first = probe.askYesCancel('one?');"
               "var second = probe.askYesCancel('two?');");
    EXPECT_EQ(global("first").toString(), "Yes");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(global("second").toString(), "Cancel");
    EXPECT_EQ(reports, QStringList({"answerDialogs: no answer left for the dialog \"Warning\" "
                                    "(\"two?\"); it waits for the user"}));
}

TEST_F(ScriptDialogsTest, UnusedAnswersAreReportedAndDroppedAtTheEnd) {
    expectRuns("answerDialogs(['Yes', 'No', 3]); var a = probe.askYesCancel('quit?');");
    EXPECT_EQ(reports, QStringList({"answerDialogs: 2 answer(s) not used: \"No\", \"3\""}));
    // Not carried into the next script: this box meets no answer.
    QTimer::singleShot(300, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->reject();
    });
    expectRuns("var b = probe.askYesCancel('again?');");
    EXPECT_EQ(global("b").toString(), "none");
}

TEST_F(ScriptDialogsTest, BadAnswerListsStopTheScript) {
    const struct {
        const char* call;
        const char* message;
    } cases[] = {
        {"answerDialogs('Yes')", "answerDialogs: the answers must be an array"},
        {"answerDialogs(['Yes', {}])", "answerDialogs: answer 2 must be a text or a number"},
        {"answerDialogs([Infinity])", "answerDialogs: answer 1 must be a text or a number"},
        {"answerDialogs()", "answerDialogs(answers) takes 1 arguments, 0 given"},
    };
    for (const auto& c : cases) {
        const ScriptHost::Result result = run(c.call);
        EXPECT_EQ(result.outcome, ScriptHost::Result::Error) << c.call;
        EXPECT_TRUE(result.error.contains(c.message)) << qPrintable(result.error);
    }
}

} // namespace

#include "script_dialogs_test.moc"
