#include "props/ui/my_library.h"

#include "common/event_log.h"
#include "common/progress_sink.h"
#include "common/user_prompts.h"
#include "plugin/platform.h"
#include "props/obj_model.h"
#include "props/pp2_reader.h"
#include "props/prop_loading.h"
#include "props/prop_preview.h"
#include "props/ui/prop_display_lists.h"
#include "viewport/ui/gl_terrain.h"

#include <QApplication>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyleFactory>
#include <QTextStream>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace morvane {

namespace {

constexpr int kListRowHeight = 18;
constexpr int kListMaxHeight = 200;

// The styles the browser asks for exist only where the toolkit has them;
// elsewhere the widget keeps the window's.
void applyStyle(QWidget* widget, const char* name) {
    if (QStyle* style = QStyleFactory::create(QLatin1String(name))) {
        style->setParent(widget);
        widget->setStyle(style);
    }
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The wait cursor for the life of a load.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    void restore() {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

  private:
    bool m_on = true;
};

} // namespace

myLibrary::myLibrary(const PropLibraryContext& context, const QStringList& libraries,
                     QFrame* libraryFrame, QFrame* setupFrame, QObject* parent)
    : QObject(parent), m_context(context) {
    buildBrowser(libraryFrame);
    buildSetup(setupFrame);
    for (const QString& library : libraries) {
        m_libraryList->addItem(library);
        m_active->addItem(library);
    }
    fitLibraryList();
    if (!libraries.isEmpty())
        m_model->setRootPath(libraries.first());

    connect(m_libraryList, &QListWidget::currentRowChanged, this, &myLibrary::libraryRowChanged);
    connect(m_tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &myLibrary::libTreeChanged);
    connect(m_tree, &QTreeView::doubleClicked, this, &myLibrary::libTreeDoubleClick);
    connect(m_discardButton, &QPushButton::clicked, this, &myLibrary::discardPoserLibrary);
    connect(m_includeButton, &QPushButton::clicked, this, &myLibrary::addPoserLibrary);

    if (libraries.isEmpty())
        m_tree->hide();
    else if (m_libraryList->currentRow() == 0)
        libraryRowChanged(0); // made current while filling, before the connection
    else
        m_libraryList->setCurrentRow(0);
}

myLibrary::~myLibrary() = default;

void myLibrary::buildBrowser(QFrame* frame) {
    frame->setStyleSheet(QStringLiteral(
        "QFrame#LibraryFrame { background-color:rgb(95,95,95); }"
        "QListWidget#libraryList, QTreeView#libTree { background-color:rgba(50,50,50,255); "
        "color:rgba(240,240,240,255); border:1px solid rgba(40,40,40,255); }"
        "QListWidget#libraryList::item:selected, QTreeView#libTree::item:selected { "
        "background-color:rgba(71,120,247,255); color:rgba(240,240,240,255); }"
        "QFrame#propFrame { background-color:rgba(50,50,50,255); border:1px solid "
        "rgba(40,40,40,255); }"
        "QFrame#propFrame QLabel { color:rgba(240,240,240,255); border:none; }"));
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(10);

    m_libraryList = named(new QListWidget, "libraryList");
    applyStyle(m_libraryList, "Plastique");
    m_libraryList->setToolTip(QStringLiteral("the active prop libraries"));
    layout->addWidget(m_libraryList);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::Dirs | QDir::Files | QDir::Drives | QDir::AllDirs |
                       QDir::NoDotAndDotDot);
    m_model->setNameFilters({QStringLiteral("*.pp2")});
    m_model->setNameFilterDisables(false);
    m_tree = named(new QTreeView, "libTree");
    m_tree->setModel(m_model);
    for (int column = 1; column <= 3; ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    m_tree->setItemsExpandable(true);
    m_tree->setFocusPolicy(Qt::NoFocus);
    applyStyle(m_tree, kPlatformName == QLatin1String("Windows") ? "windows" : "macintosh");
    layout->addWidget(m_tree, 1);

    m_propFrame = named(new QFrame, "propFrame");
    m_propFrame->setFixedSize(320, 72);
    m_thumbnail = named(new QLabel(m_propFrame), "propThumbnailLabel");
    m_thumbnail->setGeometry(4, 4, 64, 64);
    m_thumbnail->setScaledContents(true);
    m_thumbnail->hide();
    m_name = named(new QLabel(m_propFrame), "propNameLabel");
    m_name->setGeometry(76, 2, 240, 18);
    m_info = named(new QLabel(m_propFrame), "propInfoLabel");
    m_info->setGeometry(76, 20, 240, 50);
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_propFrame);
}

void myLibrary::buildSetup(QFrame* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(14, 10, 14, 10);
    grid->setHorizontalSpacing(10);
    grid->addWidget(named(new QLabel(QStringLiteral(" active libraries")), "activeLibrariesLabel"),
                    0, 0);
    grid->addWidget(
        named(new QLabel(QStringLiteral(" disabled libraries")), "disabledLibrariesLabel"), 0, 2);
    m_active = named(new QListWidget, "activeLibrariesList");
    m_disabled = named(new QListWidget, "disabledLibrariesList");
    for (QListWidget* list : {m_active, m_disabled}) {
        applyStyle(list, "Plastique");
        list->setMinimumHeight(140);
    }
    grid->addWidget(m_active, 1, 0);
    grid->addWidget(m_disabled, 1, 2);

    auto* buttons = new QVBoxLayout;
    m_discardButton = named(new QPushButton(QStringLiteral(">>>")), "discardLibraryButton");
    m_discardButton->setToolTip(QStringLiteral("discard selected library"));
    m_includeButton = named(new QPushButton(QStringLiteral("<<<")), "includeLibraryButton");
    m_includeButton->setToolTip(QStringLiteral("include selected library"));
    buttons->addStretch(1);
    buttons->addWidget(m_discardButton);
    buttons->addWidget(m_includeButton);
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
}

int myLibrary::slotCount() const {
    return m_context.gl.propLists().currentSlot();
}

QString myLibrary::currentPropFile() const {
    return m_context.viewport.currentProp.path;
}

QString myLibrary::noneJpg() const {
    return m_context.resourcesDir + QStringLiteral("/none.jpg");
}

void myLibrary::fitLibraryList() {
    m_libraryList->setFixedHeight(
        std::min(m_libraryList->count() * kListRowHeight + 20, kListMaxHeight));
}

void myLibrary::libraryRowChanged(int row) {
    const QListWidgetItem* item = row > -1 ? m_libraryList->item(row) : nullptr;
    if (!item)
        return;
    const QString library = item->text();
    m_shownLibrary = library;
    const QString props = propsFolderOf(library);
    if (!QFileInfo(props).isDir()) {
        m_tree->hide();
        const QString warning = QStringLiteral("Warning: library ") + library +
                                QStringLiteral(" not found, or no Runtime folder in it!");
        m_context.progress.setStatusText(warning);
        m_context.log.write(warning + '\n');
        return;
    }
    m_model->setRootPath(props);
    m_tree->setRootIndex(m_model->index(props));
    m_tree->show();
    m_context.progress.setStatusText(QString());
}

void myLibrary::libTreeChanged(const QItemSelection& selected, const QItemSelection&) {
    // The selection changes before the current index follows it.
    const QModelIndexList picked = selected.indexes();
    const QModelIndex index = picked.isEmpty() ? m_tree->currentIndex() : picked.first();
    if (m_model->fileName(index).contains(QLatin1String(".pp2")))
        showPreview(m_model->filePath(index));
    else
        clearPreview();
    m_context.gl.setFocus(Qt::OtherFocusReason);
}

void myLibrary::showPreview(const QString& pp2File) {
    const QFileInfo file(pp2File);
    m_thumbnail->setPixmap(QPixmap(propThumbnailFor(pp2File, noneJpg())));
    m_name->setText(file.fileName());
    m_info->setText(propInfoText(file));
    m_thumbnail->show();
}

void myLibrary::clearPreview() {
    m_name->clear();
    m_info->clear();
    m_thumbnail->hide();
}

void myLibrary::libTreeDoubleClick(const QModelIndex& index) {
    if (m_model->fileName(index).endsWith(QLatin1String(".pp2")))
        loadProp(m_model->filePath(index));
}

int myLibrary::loadProp(const QString& pp2File) {
    PropDisplayLists& lists = m_context.gl.propLists();
    const int previousSlot = lists.currentSlot();
    // The display-list table ends at slot 255: refused before anything
    // changes, so the prop in hand stays usable.
    if (!propSlotFree(previousSlot)) {
        m_context.prompts.warn(QStringLiteral("Error"), propLoadProblemText(kPropSlotsFull));
        return kPropSlotsFull;
    }

    QImage thumbnail(propThumbnailFor(pp2File, noneJpg()));
    if (thumbnail.isNull())
        thumbnail = QImage(noneJpg());
    m_context.gl.setPropThumbnail(thumbnail);

    const int slot = previousSlot + 1;
    lists.setCurrentSlot(slot);
    CurrentProp& prop = m_context.viewport.currentProp;
    prop.path = pp2File;
    prop.modelSlot = slot;
    prop.colour = drawPropColour(m_context.random);

    m_context.switchMode(GLMode::Paint);
    WaitCursor wait;

    const Pp2Read read = readPp2(pp2File, m_context.mapsDir);
    int result = read.result;
    if (result == kPp2Loaded) {
        ObjFacts facts;
        facts.propTriangleCount = 0;
        QStringList console;
        m_context.gl.makeCurrent();
        if (!lists.compile(slot, read.objFiles, facts, m_context.prompts, console))
            result = kPropNotCompiled;
        else if (facts.propTriangleCount <= 0)
            result = kPropNoTriangles;
        if (!console.isEmpty()) {
            QTextStream out(stdout);
            for (const QString& line : console)
                out << line;
        }
        prop.boxMin = facts.boxMin;
        prop.boxMax = facts.boxMax;
        prop.triangleCount = facts.propTriangleCount;
    }

    if (result != kPp2Loaded) {
        wait.restore(); // no wait cursor over the box
        m_context.prompts.warn(QStringLiteral("Error"), propLoadProblemText(result));
        lists.setCurrentSlot(previousSlot);
        prop = CurrentProp{};
        m_context.switchMode(GLMode::Edit);
        setPropHighlight(false);
    } else {
        m_context.progress.setStatusText(QStringLiteral("loaded prop: ") + pp2File +
                                         QStringLiteral(" in slot #") + QString::number(slot));
        setPropHighlight(true);
    }
    m_context.gl.setFocus(Qt::OtherFocusReason);
    return result;
}

void myLibrary::setPropHighlight(bool on) {
    m_propFrame->setStyleSheet(
        on ? QStringLiteral("QFrame#propFrame { border:1px solid rgba(71,120,247,255); }")
           : QString());
}

void myLibrary::discardPoserLibrary() {
    QListWidgetItem* item = m_active->currentItem();
    if (!item)
        return;
    m_libraryList->clear();
    m_disabled->addItem(m_active->takeItem(m_active->row(item)));
    m_disabled->setCurrentItem(item);
    refillLibraryList();
}

void myLibrary::addPoserLibrary() {
    QListWidgetItem* item = m_disabled->currentItem();
    if (!item)
        return;
    m_libraryList->clear();
    m_active->addItem(m_disabled->takeItem(m_disabled->row(item)));
    m_active->setCurrentItem(item);
    refillLibraryList();
}

void myLibrary::refillLibraryList() {
    m_libraryList->clear();
    for (int i = 0; i < m_active->count(); ++i)
        m_libraryList->addItem(m_active->item(i)->text());
    fitLibraryList();
    // The tree follows the list: a library just disabled is not browsed on.
    if (m_libraryList->count() == 0) {
        m_tree->hide();
        clearPreview();
        m_shownLibrary.clear();
        return;
    }
    const QList<QListWidgetItem*> shown =
        m_libraryList->findItems(m_shownLibrary, Qt::MatchExactly);
    const int row = shown.isEmpty() ? 0 : m_libraryList->row(shown.first());
    if (m_libraryList->currentRow() == row)
        libraryRowChanged(row);
    else
        m_libraryList->setCurrentRow(row);
}

} // namespace morvane
