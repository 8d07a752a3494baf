#pragma once

#include "dzcore_export.h"

#include <QAction>
#include <QString>

// An operation the user starts from the host's menus or tool bars. The host
// calls executeAction() when the action is triggered.
class DZCORE_EXPORT DzAction : public QAction {
    Q_OBJECT
public:
    DzAction(const QString& text, const QString& description);
    ~DzAction() override;

    QString getDescription() const { return m_description; }

    using QAction::setIcon;
    // An icon from a picture file; a missing file leaves the action without
    // an icon.
    void setIcon(const QString& file);

public slots:
    // Where the host places the action by default.
    virtual QString getActionGroup() const;
    virtual QString getDefaultMenuPath() const;
    virtual QString getDefaultToolBar() const;
    virtual QString getDefaultAccel() const;
    // Called by the host once the action is created and placed.
    virtual void init();
    // Called when the host's style changes.
    virtual void styleChange();
    // Refreshes the status tip and "What's this?" text from the description.
    virtual void updateInlineHelp();

protected slots:
    // What the action does.
    virtual void executeAction() = 0;

public slots:
    // Sets the checked state of a checkable action; switching on runs it.
    virtual void toggleAction(bool onOff);

private:
    QString m_description;
};
