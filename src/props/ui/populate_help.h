#pragma once

#include <QObject>

class QFrame;
class QWidget;

namespace morvane {

// Shows the populate help over the viewport while the mouse rests on the
// help label: entering shows the help frame and hides the viewport,
// leaving does the opposite. Both events are consumed; others pass.
class PopulateLabelHelpFilter : public QObject {
    Q_OBJECT
public:
    PopulateLabelHelpFilter(QWidget* helpFrame, QWidget* viewportFrame, QObject* parent = nullptr);
    ~PopulateLabelHelpFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_help;
    QWidget* m_viewport;
};

// The help frame `HelpLabel`, 762 x 762, hidden: the balloon picture of
// `resourcesDir` in its corner and how painting works.
QFrame* buildPopulateHelpFrame(QWidget* parent, const QString& resourcesDir);

} // namespace morvane
