#pragma once

#include <QUndoCommand>

#include <functional>

namespace morvane {

// One step of the edit history on Qt's undo stack. The step's data lives
// in the history; the command only moves it back and forth. It is pushed
// after the change was made, so the push's own redo does nothing.
class EditUndoCommand : public QUndoCommand {
public:
    EditUndoCommand(const QString& text, std::function<void()> undo, std::function<void()> redo);

    void undo() override;
    void redo() override;

private:
    std::function<void()> m_undo;
    std::function<void()> m_redo;
    bool m_pushed = false;
};

} // namespace morvane
