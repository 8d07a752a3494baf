#include "dzaction.h"

#include <QFileInfo>
#include <QIcon>

DzAction::DzAction(const QString& text, const QString& description)
    : QAction(text, nullptr), m_description(description) {
    // The call is virtual at trigger time, so subclasses' overrides run.
    connect(this, &QAction::triggered, this, [this] { executeAction(); });
}

DzAction::~DzAction() = default;

void DzAction::setIcon(const QString& file) {
    if (QFileInfo(file).isFile())
        QAction::setIcon(QIcon(file));
}

QString DzAction::getActionGroup() const {
    return QString();
}

QString DzAction::getDefaultMenuPath() const {
    return QString();
}

QString DzAction::getDefaultToolBar() const {
    return QString();
}

QString DzAction::getDefaultAccel() const {
    return QString();
}

void DzAction::init() {
    updateInlineHelp();
}

void DzAction::styleChange() {}

void DzAction::updateInlineHelp() {
    setStatusTip(m_description);
    setWhatsThis(m_description);
}

void DzAction::toggleAction(bool onOff) {
    if (isCheckable())
        setChecked(onOff);
    if (onOff)
        executeAction();
}
