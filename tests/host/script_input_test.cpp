#include "input_names.h"
#include "script_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>

#include <algorithm>
#include <iterator>
#include <vector>

using namespace morvane::testing;
using morvane::host::ScriptHost;

namespace {

// What a widget receives, with the application's modifiers at that moment.
struct Received {
    QEvent::Type type;
    QPoint pos;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    Qt::KeyboardModifiers applicationModifiers;
    int key = 0;
};

class InputRecorder : public QWidget {
public:
    explicit InputRecorder(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("recorder"));
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }
    std::vector<Received> events;

    std::vector<Received> ofType(QEvent::Type type) const {
        std::vector<Received> found;
        std::copy_if(events.begin(), events.end(), std::back_inserter(found),
                     [type](const Received& e) { return e.type == type; });
        return found;
    }

protected:
    void mousePressEvent(QMouseEvent* e) override { record(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { record(e); }
    void mouseMoveEvent(QMouseEvent* e) override { record(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { record(e); }
    void keyPressEvent(QKeyEvent* e) override { record(e); }
    void keyReleaseEvent(QKeyEvent* e) override { record(e); }

private:
    void record(QMouseEvent* e) {
        events.push_back({e->type(), e->pos(), e->button(), e->buttons(), e->modifiers(),
                          QApplication::keyboardModifiers()});
    }
    void record(QKeyEvent* e) {
        events.push_back({e->type(), {}, {}, {}, e->modifiers(), QApplication::keyboardModifiers(),
                          e->key()});
    }
};

class ScriptInputTest : public ScriptFixture {
protected:
    ScriptInputTest() {
        recorder = new InputRecorder(&window);
        recorder->setGeometry(40, 30, 200, 150);
        edit = new QLineEdit(&window);
        edit->setObjectName(QStringLiteral("edit"));
        edit->setGeometry(40, 200, 200, 24);
        auto* hidden = new QWidget(&window);
        hidden->setObjectName(QStringLiteral("hiddenWidget"));
        hidden->hide();
        show();
    }

    void expectRuns(const QString& program) {
        const ScriptHost::Result result = run(program);
        ASSERT_EQ(result.outcome, ScriptHost::Result::Finished) << qPrintable(result.error);
    }

    InputRecorder* recorder;
    QLineEdit* edit;
};

TEST(ScriptInputNames, ButtonsModifiersAndKeys) {
    using namespace morvane::host;
    EXPECT_EQ(mouseButtonNamed("Middle"), Qt::MiddleButton);
    EXPECT_FALSE(mouseButtonNamed("none"));
    EXPECT_EQ(mouseButtonNamed("none", true), Qt::NoButton);
    EXPECT_FALSE(mouseButtonNamed("back"));

    EXPECT_EQ(modifiersNamed(""), Qt::KeyboardModifiers(Qt::NoModifier));
    EXPECT_EQ(modifiersNamed(" Alt + META "), Qt::AltModifier | Qt::MetaModifier);
    EXPECT_FALSE(modifiersNamed("ctrl++shift"));
    EXPECT_FALSE(modifiersNamed("ctrl+"));

    EXPECT_EQ(keyNamed("z"), Qt::Key_Z);
    EXPECT_EQ(keyNamed("pagedown"), Qt::Key_PageDown);
    EXPECT_EQ(keyNamed("F5"), Qt::Key_F5);
    EXPECT_FALSE(keyNamed(""));
    EXPECT_FALSE(keyNamed("Key_Z"));
    EXPECT_EQ(keyText(Qt::Key_A, Qt::ControlModifier), "");
}

TEST_F(ScriptInputTest, ClickArrivesWithPositionButtonAndModifiers) {
    recorder->setFocus();
    expectRuns("mouseClick('recorder', 12, 34, 'right', 'ctrl+alt');");

    const std::vector<Received> presses = recorder->ofType(QEvent::MouseButtonPress);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].pos, QPoint(12, 34));
    EXPECT_EQ(presses[0].button, Qt::RightButton);
    EXPECT_EQ(presses[0].applicationModifiers, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(recorder->ofType(QEvent::MouseButtonRelease).size(), 1u);

    // The modifier keys went down before the press and up after the release.
    std::vector<int> keys;
    for (const Received& event : recorder->events)
        if (event.type == QEvent::KeyPress || event.type == QEvent::KeyRelease)
            keys.push_back(event.type == QEvent::KeyPress ? event.key : -event.key);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Control, Qt::Key_Alt, -Qt::Key_Alt,
                                      -Qt::Key_Control}));
    EXPECT_EQ(recorder->events.front().key, Qt::Key_Control);
    EXPECT_EQ(QApplication::keyboardModifiers(), Qt::NoModifier);
}

TEST_F(ScriptInputTest, DragHoldsTheButtonAndTheGrabUntilRelease) {
    expectRuns("mousePress('recorder', 10, 10);"
               "mouseMove('recorder', 20, 15);"
               "mouseMove('recorder', 250, 170, 'left', 'shift');" // outside: the grab holds
               "mouseRelease('recorder', 250, 170);"
               "mouseMove('recorder', 5, 6);");

    // The pointer first moves to the press, as a real one does.
    const std::vector<Received> moves = recorder->ofType(QEvent::MouseMove);
    ASSERT_EQ(moves.size(), 4u);
    EXPECT_EQ(moves[0].pos, QPoint(10, 10));
    EXPECT_EQ(moves[0].buttons, Qt::NoButton);
    EXPECT_EQ(moves[1].buttons, Qt::LeftButton);
    EXPECT_EQ(moves[2].pos, QPoint(250, 170));
    EXPECT_EQ(moves[2].modifiers, Qt::ShiftModifier);
    EXPECT_EQ(moves[3].buttons, Qt::NoButton); // a hover after the release
    ASSERT_EQ(recorder->ofType(QEvent::MouseButtonRelease).size(), 1u);
    EXPECT_EQ(QApplication::keyboardModifiers(), Qt::NoModifier);
}

TEST_F(ScriptInputTest, QuickClicksAtOneSpotStaySingleClicks) {
    expectRuns("mouseClick('recorder', 50, 50); mouseClick('recorder', 50, 50);");
    // Also from a second script host of the same process.
    QScriptEngine otherEngine;
    morvane::host::ScriptHost other(otherEngine, hostWindow);
    other.install();
    other.run("mouseClick('recorder', 50, 50);", "other.js");
    EXPECT_EQ(recorder->ofType(QEvent::MouseButtonPress).size(), 3u);
    EXPECT_TRUE(recorder->ofType(QEvent::MouseButtonDblClick).empty());
}

TEST_F(ScriptInputTest, KeysReachTheFocusAndFireShortcuts) {
    int undone = 0;
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")), &window);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++undone; });

    expectRuns("keyClick('recorder', 'Z', 'ctrl+shift');");
    expectRuns("keyClick('recorder', 'Delete');");
    EXPECT_EQ(undone, 1);
    EXPECT_EQ(recorder->ofType(QEvent::KeyPress).back().key, Qt::Key_Delete);

    // keyClick gives the named widget the focus, and letters their text.
    expectRuns("keyClick('edit', 'a'); keyClick('edit', 'B', 'shift'); keyClick('edit', '5');");
    EXPECT_EQ(edit->text(), "aB5");
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(QApplication::keyboardModifiers(), Qt::NoModifier);
}

TEST_F(ScriptInputTest, BadCallsStopTheScriptWithAClearMessage) {
    const struct {
        const char* call;
        const char* message;
    } cases[] = {
        {"mouseClick('noSuchWidget', 1, 2)", "Error: mouseClick: no widget named \"noSuchWidget\""},
        {"mouseClick(7, 1, 2)", "the widget must be an object name or a widget, not a number"},
        {"mouseClick('recorder', 1)", "takes 3 to 5 arguments, 2 given"},
        {"mouseMove('recorder', 1, NaN)", "mouseMove: y must be a number, not NaN"},
        {"mouseClick('recorder', 1e9, 2)", "mouseClick: x = 1e+09 is far outside any widget"},
        {"mouseClick('recorder', 1, 2, 'none')", "mouseClick: unknown button \"none\""},
        {"mouseClick('recorder', 1, 2, 'left', 'ctrl+hyper')", "unknown modifiers \"ctrl+hyper\""},
        {"mouseRelease('recorder', 1, 2)", "mouseRelease: the left button is not down"},
        {"mouseClick('hiddenWidget', 1, 2)", "mouseClick: \"hiddenWidget\" is not shown"},
        {"keyClick('recorder', 5)", "keyClick: the key must be a string, not a number"},
    };
    for (const auto& c : cases) {
        const ScriptHost::Result result =
            run(QStringLiteral("var reached = false; %1; reached = true;").arg(c.call));
        EXPECT_EQ(result.outcome, ScriptHost::Result::Error) << c.call;
        EXPECT_TRUE(result.error.contains(c.message)) << qPrintable(result.error);
        EXPECT_FALSE(global("reached").toBool()) << c.call;
    }
    EXPECT_TRUE(recorder->ofType(QEvent::MouseButtonPress).empty());

    // Pressing a held button again is refused; the button stays held.
    const ScriptHost::Result again = run("mousePress('recorder', 1, 2); mousePress('recorder', 3, 4);");
    EXPECT_TRUE(again.error.contains("the left button is already down")) << qPrintable(again.error);
    expectRuns("mouseRelease('recorder', 1, 2);");
    EXPECT_EQ(recorder->ofType(QEvent::MouseButtonPress).size(), 1u);
}

} // namespace
