#pragma once

#include <QList>
#include <QMainWindow>

class DzAction;
class QMenu;
class QTreeWidget;

namespace morvane::host {

// The host's main window: a Create menu with every create-item action the
// plug-ins registered, and an outline of the scene's nodes.
class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(QWidget* parent = nullptr);

    // The window takes ownership of the action.
    void addCreateAction(DzAction* action);
    QList<DzAction*> createActions() const { return m_createActions; }
    // The action whose text, mnemonics removed, is `text`; null when none.
    DzAction* findAction(const QString& text) const;

    QTreeWidget* outline() const { return m_outline; }

private:
    QMenu* m_createMenu;
    QTreeWidget* m_outline;
    QList<DzAction*> m_createActions;
};

} // namespace morvane::host
