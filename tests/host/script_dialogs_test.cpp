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

// Opens the kinds of dialog the plug-in opens.
class DialogProbe : public QObject {
    Q_OBJECT
public:
    QString folder;

    Q_INVOKABLE QString askYesCancel(const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text);
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(cancel);
        box.exec();
        return !box.clickedButton() ? "none" : box.clickedButton() == yes ? "Yes" : "Cancel";
    }
    Q_INVOKABLE bool warn() {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), QStringLiteral("bad"));
        QPushButton* ok = box.addButton(QStringLiteral("&OK"), QMessageBox::AcceptRole);
        box.exec();
        return box.clickedButton() == ok;
    }
    Q_INVOKABLE QString openFile() {
        return QFileDialog::getOpenFileName(nullptr, "Open File", folder, "Presets (*.ipf)");
    }
    Q_INVOKABLE QString saveFile() {
        return QFileDialog::getSaveFileName(nullptr, "Save File", folder);
    }
    Q_INVOKABLE double askNumber() {
        bool ok = false;
        const double value = QInputDialog::getDouble(nullptr, "Scale", "percent", 100, 1, 500, 2, &ok);
        return ok ? value : -1;
    }
    Q_INVOKABLE QString askText() {
        bool ok = false;
        const QString text =
            QInputDialog::getText(nullptr, "Preset", "name", QLineEdit::Normal, QString(), &ok);
        return ok ? text : "<cancelled>";
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
                ADD_FAILURE() << "a dialog was left open: " << qPrintable(dialog->windowTitle());
                dialog->reject();
            }
        });
        guard.setSingleShot(true);
        guard.start(15000);
    }

    void expectRuns(const QString& program) {
        const ScriptHost::Result result = run(program);
        EXPECT_EQ(result.outcome, ScriptHost::Result::Finished) << qPrintable(result.error);
    }

    QTemporaryDir dir;
    DialogProbe probe;
    QTimer guard;
};

TEST_F(ScriptDialogsTest, EachKindOfDialogTakesItsAnswerInTurn) {
    const QString preset = dir.filePath("x.ipf");
    ASSERT_TRUE(QFile(preset).open(QIODevice::WriteOnly));
    const QString target = dir.filePath("new.ipf");
    // Button texts match ignoring case and the mnemonic '&'.
    expectRuns(QStringLiteral("answerDialogs(['Yes', 'cancel', 'OK', '%1', '%2', 12.5, 'my preset',"
                              " 'Cancel']);"
                              "var a = probe.askYesCancel('quit?'); var b = probe.askYesCancel('?');"
                              "var ok = probe.warn();"
                              "var file = probe.openFile(); var saved = probe.saveFile();"
                              "var number = probe.askNumber(); var text = probe.askText();"
                              "var none = probe.openFile();"
                              "var all = [a, b, ok, file, saved, number, text, none].join('|');")
                   .arg(preset, target));
    EXPECT_EQ(global("all").toString(),
              QStringList({"Yes", "Cancel", "true", preset, target, "12.5", "my preset", ""})
                  .join('|'));
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
    EXPECT_EQ(global("missing").toString() + global("folder").toString(), "");
    EXPECT_EQ(global("number").toNumber(), -1);
    ASSERT_EQ(reports.size(), 4) << qPrintable(reports.join('\n'));
    EXPECT_EQ(reports[0], "answerDialogs: the dialog \"Warning\" (\"quit?\") has no button "
                          "\"Maybe\"; rejected");
    EXPECT_TRUE(reports[1].contains("finds no file " + dir.filePath("missing.ipf")));
    EXPECT_TRUE(reports[2].contains("\"Scale\" takes a number, not \"abc\"")) << qPrintable(reports[2]);
    EXPECT_TRUE(reports[3].contains("finds no file " + dir.path())) << qPrintable(reports[3]);
}

TEST_F(ScriptDialogsTest, ABoxWithNoAnswerLeftWaitsForTheUser) {
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
    };
    for (const auto& c : cases) {
        const ScriptHost::Result result = run(c.call);
        EXPECT_EQ(result.outcome, ScriptHost::Result::Error) << c.call;
        EXPECT_TRUE(result.error.contains(c.message)) << qPrintable(result.error);
    }
}

} // namespace

#include "script_dialogs_test.moc"
