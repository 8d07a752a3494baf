#pragma once

#include "viewport/viewport_state.h"

#include <QItemSelection>
#include <QModelIndex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QFileSystemModel;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace morvane {

class EventLog;
class GLTerrain;
class ProgressSink;
class RandomSource;
class UserPrompts;

// What the prop library works with.
struct PropLibraryContext {
    ViewportState& viewport; // the current prop it fills, read by painting
    GLTerrain& gl;           // the prop display lists and the thumbnail texture
    UserPrompts& prompts;    // the "Error" boxes of a failed load
    ProgressSink& progress;  // status line
    EventLog& log;
    RandomSource& random; // prop colours
    QString resourcesDir; // holds "none.jpg"
    QString mapsDir;      // where inline geometry is written
    // Switches the viewport mode with its buttons and gives it the focus.
    std::function<void(GLMode)> switchMode;
};

// The prop library: on POPULATE the list of active libraries, the tree of
// the selected library's .pp2 files and the preview frame; on SETUP the
// active and disabled libraries. A double-clicked prop is read, compiled
// into the next model slot and becomes the prop painting uses.
class myLibrary : public QObject {
    Q_OBJECT
  public:
    // Builds the browser into `libraryFrame`, the two library lists into
    // `setupFrame`, fills both with `libraries` (the host's Poser content
    // folders, in the host's order) and selects the first.
    myLibrary(const PropLibraryContext& context, const QStringList& libraries, QFrame* libraryFrame,
              QFrame* setupFrame, QObject* parent = nullptr);
    ~myLibrary() override;

    // The model slot of the last prop loaded; 0 before any (and after all
    // items were deleted, which frees the slots).
    int slotCount() const;
    // The last loaded .pp2; empty after a failed load.
    QString currentPropFile() const;

    // What a double click on a .pp2 does. Returns 0 when the prop is ready
    // to paint, else the reader's code (Pp2Result) or a PropLoadResult.
    int loadProp(const QString& pp2File);

  public slots:
    void libraryRowChanged(int row);
    void libTreeChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void libTreeDoubleClick(const QModelIndex& index);
    // SETUP: the selected active library becomes disabled, resp. back.
    void discardPoserLibrary();
    void addPoserLibrary();
    // The preview frame's border shows the prop being painted with; the
    // deletions clear it when they drop the current prop or the selection.
    void setPropHighlight(bool on);
    void clearPropHighlight() { setPropHighlight(false); }

  private:
    void buildBrowser(QFrame* frame);
    void buildSetup(QFrame* frame);
    // The POPULATE list from the active list, keeping the shown library
    // when it is still active.
    void refillLibraryList();
    void fitLibraryList();
    void showPreview(const QString& pp2File);
    void clearPreview();
    QString noneJpg() const;

    PropLibraryContext m_context;
    QListWidget* m_libraryList = nullptr;
    QTreeView* m_tree = nullptr;
    QFileSystemModel* m_model = nullptr;
    QFrame* m_propFrame = nullptr;
    QLabel* m_thumbnail = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_info = nullptr;
    QListWidget* m_active = nullptr;
    QListWidget* m_disabled = nullptr;
    QPushButton* m_discardButton = nullptr;
    QPushButton* m_includeButton = nullptr;
    QString m_shownLibrary;
};

} // namespace morvane
