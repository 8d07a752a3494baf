#include "props/ui/populate_help.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace morvane {

namespace {

constexpr int kHelpSide = 762;

const char* const kHelpText =
    "<h2>POPULATE</h2>"
    "<p>Choose a prop in the library: the viewport switches to <b>PAINT MODE</b>.</p>"
    "<ul>"
    "<li><b>click</b>: one item under the cursor;</li>"
    "<li><b>drag</b>: keeps painting items, one at each mouse move;</li>"
    "<li><b>Shift + click</b>: deploys <i>eco instances</i> items at random inside the "
    "green brush (<i>brush diameter</i>);</li>"
    "<li><b>Alt + drag</b>: moves the camera instead of painting.</li>"
    "</ul>"
    "<p><b>distance</b>: no item closer than this to another one (centimetres).<br>"
    "<b>eco angle</b>, <b>eco scale</b>: random rotation and scale limits; "
    "<i>Y axis only</i> and <i>Y snap</i> keep items standing.<br>"
    "<b>vertical / normal</b>: how far items lean with the slope.<br>"
    "A mask picture keeps painting off its black parts.</p>"
    "<p><b>EDIT MODE</b> picks single items; <b>Delete</b> removes the picked one. "
    "The tool buttons delete the picked item, the last one, or all of them.</p>";

} // namespace

PopulateLabelHelpFilter::PopulateLabelHelpFilter(QWidget* helpFrame, QWidget* viewportFrame,
                                                 QObject* parent)
    : QObject(parent), m_help(helpFrame), m_viewport(viewportFrame) {}

PopulateLabelHelpFilter::~PopulateLabelHelpFilter() = default;

bool PopulateLabelHelpFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
        if (m_help && m_viewport) {
            // At the viewport's place, wherever the current tab has put it.
            m_help->move(m_help->parentWidget()->mapFromGlobal(
                m_viewport->mapToGlobal(QPoint(0, 0))));
            m_help->show();
            m_help->raise();
            m_viewport->hide();
        }
        return true;
    case QEvent::Leave:
        if (m_help && m_viewport) {
            m_help->hide();
            m_viewport->show();
        }
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

QFrame* buildPopulateHelpFrame(QWidget* parent, const QString& resourcesDir) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("HelpLabel"));
    frame->setFixedSize(kHelpSide, kHelpSide);
    frame->setStyleSheet(QStringLiteral("QFrame#HelpLabel { background-color:rgba(40,40,40,250); "
                                        "border:1px solid rgba(82,82,82,255); "
                                        "background-image:url(\"") +
                         resourcesDir + QStringLiteral("/balloon.png\"); background-repeat:no-repeat; "
                                                       "background-position:top left; }"));
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(48, 40, 48, 40);
    auto* text = new QLabel(QLatin1String(kHelpText), frame);
    text->setObjectName(QStringLiteral("HelpText"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setStyleSheet(QStringLiteral("QLabel#HelpText { color:rgba(220,220,220,255); "
                                       "font-size:15px; background:transparent; }"));
    layout->addWidget(text);
    frame->hide();
    return frame;
}

} // namespace morvane
