#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace morvane {

// The viewport is one widget shared by the TERRAFORM, POPULATE and CREATE
// pages; each page keeps an empty slot where it belongs. The dock lays the
// viewport area over the slot of the page shown and hides it on pages
// without a slot. Moving the area instead of re-parenting it keeps the GL
// context the viewport will own. The area is stacked by creation order:
// above the controller, below the busy overlay.
class ViewportDock : public QObject {
  public:
    ViewportDock(QWidget* area, QObject* parent = nullptr);

    void addSlot(QWidget* slot);
    // The slot to cover; null hides the area.
    void follow(QWidget* slot);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();

    QPointer<QWidget> m_area;
    QPointer<QWidget> m_slot;
};

} // namespace morvane
