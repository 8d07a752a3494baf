#include "props/ui/item_delete_buttons.h"

#include <QBoxLayout>
#include <QIcon>
#include <QPushButton>

#include <algorithm>

namespace morvane {

namespace {

QPushButton* toolButton(QWidget* parent, const char* name, const char* tip, const QString& icon) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(24, 24);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(QLatin1String(tip));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton#") + QLatin1String(name) +
                          QStringLiteral(" { border:1px solid rgb(128,128,128); border-radius:2px; "
                                         "padding:0px; margin:0px; "
                                         "background-color:rgba(50,50,50,255); }"));
    return button;
}

} // namespace

ItemDeleteButtons addItemDeleteButtons(QWidget* frame, const QString& resourcesDir) {
    ItemDeleteButtons b;
    b.current = toolButton(frame, "glEditDeleteCurrentButton", "delete selected item",
                           resourcesDir + QStringLiteral("/tool_delete.png"));
    b.all = toolButton(frame, "glEditDeleteAllButton", "delete all items",
                       resourcesDir + QStringLiteral("/tool_delete_all.png"));
    b.last = toolButton(frame, "glDeleteLastPaint", "delete last item in the stack",
                        resourcesDir + QStringLiteral("/tool_delete_last_batch.png"));
    if (auto* column = qobject_cast<QBoxLayout*>(frame->layout())) {
        // Above the stretch that closes the column.
        const int at = std::max(0, column->count() - 1);
        column->insertWidget(at, b.last, 0, Qt::AlignHCenter);
        column->insertWidget(at, b.all, 0, Qt::AlignHCenter);
        column->insertWidget(at, b.current, 0, Qt::AlignHCenter);
    }
    return b;
}

} // namespace morvane
