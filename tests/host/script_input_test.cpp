#include "input_names.h"
#include "script_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>

#include <vector>

using namespace morvane::testing;
using morvane::host::ScriptHost;

namespace {

// What a widget receives, with the application's view of the modifiers at
// that moment.
struct Received {
    QEvent::Type type;
    QPoint pos;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons = Qt::NoButton;
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
        for (const Received& event : events)
            if (event.type == type)
                found.push_back(event);
        return found;
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { record(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { record(event); }
    void mouseMoveEvent(QMouseEvent* event) override { record(event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { record(event); }
    void keyPressEvent(QKeyEvent* event) override { record(event); }
    void keyReleaseEvent(QKeyEvent* event) override { record(event); }

private:
    void record(QMouseEvent* event) {
        events.push_back({event->type(), event->pos(), event->button(), event->buttons(),
                          event->modifiers(), QApplication::keyboardModifiers(), 0});
    }
    void record(QKeyEvent* event) {
        events.push_back({event->type(), QPoint(), Qt::NoButton, Qt::NoButton, event->modifiers(),
                          QApplication::keyboardModifiers(), event->key()});
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
    EXPECT_EQ(mouseButtonNamed("left"), Qt::LeftButton);
    EXPECT_EQ(mouseButtonNamed("Middle"), Qt::MiddleButton);
    EXPECT_EQ(mouseButtonNamed("right"), Qt::RightButton);
    EXPECT_FALSE(mouseButtonNamed("none"));
    EXPECT_EQ(mouseButtonNamed("none", true), Qt::NoButton);
    EXPECT_FALSE(mouseButtonNamed("back"));

    const struct {
        const char* names;
        std::optional<Qt::KeyboardModifiers> expected;
    } modifierCases[] = {
        {"", Qt::NoModifier},
        {"shift", Qt::ShiftModifier},
        {"ctrl+shift", Qt::ControlModifier | Qt::ShiftModifier},
        {" Alt + META ", Qt::AltModifier | Qt::MetaModifier},
        {"ctrl++shift", std::nullopt},
        {"ctrl+", std::nullopt},
        {"control", std::nullopt},
    };
    for (const auto& c : modifierCases)
        EXPECT_EQ(modifiersNamed(c.names), c.expected) << c.names;

    const struct {
        const char* name;
        std::optional<Qt::Key> expected;
    } keyCases[] = {
        {"Z", Qt::Key_Z},       {"z", Qt::Key_Z},           {"Delete", Qt::Key_Delete},
        {"PageUp", Qt::Key_PageUp}, {"pagedown", Qt::Key_PageDown}, {"F5", Qt::Key_F5},
        {"Space", Qt::Key_Space}, {"", std::nullopt},       {"Key_Z", std::nullopt},
        {"NoSuchKey", std::nullopt},
    };
    for (const auto& c : keyCases)
        EXPECT_EQ(keyNamed(c.name), c.expected) << c.name;
    EXPECT_EQ(keyText(Qt::Key_A, Qt::ControlModifier), "");
}

TEST_F(ScriptInputTest, ClickArrivesWithPositionButtonAndModifiers) {
    recorder->setFocus();
    expectRuns("mouseClick('recorder', 12, 34, 'right', 'ctrl+alt');");

    const std::vector<Received> presses = recorder->ofType(QEvent::MouseButtonPress);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].pos, QPoint(12, 34));
    EXPECT_EQ(presses[0].button, Qt::RightButton);
    EXPECT_EQ(presses[0].modifiers, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(presses[0].applicationModifiers, Qt::ControlModifier | Qt::AltModifier);
    const std::vector<Received> releases = recorder->ofType(QEvent::MouseButtonRelease);
    ASSERT_EQ(releases.size(), 1u);
    EXPECT_EQ(releases[0].pos, QPoint(12, 34));
    EXPECT_EQ(releases[0].buttons, Qt::NoButton);

    // The modifier keys went down before the press and up after the release.
    std::vector<int> keys;
    for (const Received& event : recorder->events)
        if (event.type == QEvent::KeyPress || event.type == QEvent::KeyRelease)
            keys.push_back(event.type == QEvent::KeyPress ? event.key : -event.key);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Control, Qt::Key_Alt, -Qt::Key_Alt,
                                      -Qt::Key_Control}));
    EXPECT_EQ(recorder->events.front().key, Qt::Key_Control);
    EXPECT_EQ(QApplication::keyboardModifiers(), Qt::NoModifier);
    EXPECT_EQ(QApplication::mouseButtons(), Qt::NoButton);
}

TEST_F(ScriptInputTest, DragHoldsTheButtonAndTheGrabUntilRelease) {
    expectRuns("mousePress('recorder', 10, 10);"
               "mouseMove('recorder', 20, 15);"
               "mouseMove('recorder', 250, 170, 'left', 'shift');" // outside: the grab holds
               "mouseRelease('recorder', 250, 170);"
               "mouseMove('recorder', 5, 6);");

    // The pointer first moves to the press, as a real one does.
    std::vector<Received> moves = recorder->ofType(QEvent::MouseMove);
    ASSERT_EQ(moves.size(), 4u);
    EXPECT_EQ(moves[0].pos, QPoint(10, 10));
    EXPECT_EQ(moves[0].buttons, Qt::NoButton);
    moves.erase(moves.begin());
    EXPECT_EQ(moves[0].pos, QPoint(20, 15));
    EXPECT_EQ(moves[0].buttons, Qt::LeftButton);
    EXPECT_EQ(moves[1].pos, QPoint(250, 170));
    EXPECT_EQ(moves[1].buttons, Qt::LeftButton);
    EXPECT_EQ(moves[1].modifiers, Qt::ShiftModifier);
    EXPECT_EQ(moves[2].buttons, Qt::NoButton); // a hover after the release
    const std::vector<Received> releases = recorder->ofType(QEvent::MouseButtonRelease);
    ASSERT_EQ(releases.size(), 1u);
    EXPECT_EQ(releases[0].pos, QPoint(250, 170));
    EXPECT_EQ(releases[0].button, Qt::LeftButton);
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
    EXPECT_EQ(undone, 1);
    expectRuns("keyClick('recorder', 'PageUp'); keyClick('recorder', 'Delete');");
    EXPECT_EQ(undone, 1);
    std::vector<int> pressed;
    for (const Received& event : recorder->ofType(QEvent::KeyPress))
        pressed.push_back(event.key);
    EXPECT_EQ(pressed.back(), Qt::Key_Delete);
    EXPECT_EQ(pressed.at(pressed.size() - 2), Qt::Key_PageUp);

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
        {"mouseClick(7, 1, 2)", "TypeError: mouseClick: the widget must be an object name or a "
                                "widget, not a number"},
        {"mouseClick('recorder', 1)",
         "mouseClick(widget, x, y, [button], [modifiers]) takes 3 to 5 arguments, 2 given"},
        {"mousePress('recorder', 'a', 2)", "mousePress: x must be a number, not a string"},
        {"mouseMove('recorder', 1, NaN)", "mouseMove: y must be a number, not NaN"},
        {"mouseClick('recorder', 1e9, 2)", "mouseClick: x = 1e+09 is far outside any widget"},
        {"mousePress('recorder', 1, 2, 'up')", "mousePress: unknown button \"up\""},
        {"mouseClick('recorder', 1, 2, 'none')", "mouseClick: unknown button \"none\""},
        {"mouseClick('recorder', 1, 2, 'left', 'ctrl+hyper')",
         "mouseClick: unknown modifiers \"ctrl+hyper\""},
        {"mouseRelease('recorder', 1, 2)", "mouseRelease: the left button is not down"},
        {"mouseClick('hiddenWidget', 1, 2)", "mouseClick: \"hiddenWidget\" is not shown"},
        {"keyClick('recorder', 'NoSuchKey')", "keyClick: unknown key \"NoSuchKey\""},
        {"keyClick('recorder', 5)", "keyClick: the key must be a string, not a number"},
        {"keyClick('recorder')", "keyClick(widget, key, [modifiers]) takes 2 to 3 arguments"},
    };
    for (const auto& c : cases) {
        const ScriptHost::Result result =
            run(QStringLiteral("var reached = false; %1; reached = true;").arg(c.call));
        EXPECT_EQ(result.outcome, ScriptHost::Result::Error) << c.call;
        EXPECT_TRUE(result.error.contains(c.message)) << qPrintable(result.error);
        EXPECT_FALSE(global("reached").toBool()) << c.call;
    }
    EXPECT_TRUE(recorder->ofType(QEvent::MouseButtonPress).empty());
}

TEST_F(ScriptInputTest, PressingAHeldButtonAgainIsRefused) {
    const ScriptHost::Result result =
        run("mousePress('recorder', 1, 2); mousePress('recorder', 3, 4);");
    EXPECT_EQ(result.outcome, ScriptHost::Result::Error);
    EXPECT_TRUE(result.error.contains("the left button is already down")) << qPrintable(result.error);
    expectRuns("mouseRelease('recorder', 1, 2);");
    EXPECT_EQ(recorder->ofType(QEvent::MouseButtonPress).size(), 1u);
    EXPECT_EQ(recorder->ofType(QEvent::MouseButtonRelease).size(), 1u);
}

} // namespace
