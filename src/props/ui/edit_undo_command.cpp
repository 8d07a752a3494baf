#include "props/ui/edit_undo_command.h"

#include <utility>

namespace morvane {

EditUndoCommand::EditUndoCommand(const QString& text, std::function<void()> undo,
                                 std::function<void()> redo)
    : QUndoCommand(text), m_undo(std::move(undo)), m_redo(std::move(redo)) {}

void EditUndoCommand::undo() {
    m_undo();
}

void EditUndoCommand::redo() {
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    m_redo();
}

} // namespace morvane
