#pragma once

#include "viewport/item_record.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <vector>

namespace morvane {

struct TerrainArrays;

// What undo and redo restore: the positions and normals of both terrain
// sets and the item list.
struct EditableState {
    TerrainArrays& terrain;
    TerrainArrays& decimated;
    ItemList& items;
};

// A stretch of one array that differs between two recording points:
// `length` elements at `offset` in the array as it is now, and the elements
// the other side had there. Applying it swaps the two, so the same splice
// serves undo and redo and a step keeps one copy of the changed values.
template <typename T> struct Splice {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::vector<T> other;
};

// One undoable change, from one recording point to the next.
struct EditStep {
    QString action;
    Splice<float> vertices;
    Splice<float> normals;
    Splice<float> decimatedVertices;
    Splice<float> decimatedNormals;
    Splice<ItemRecord> items;
    std::size_t bytes = 0;
};

// The undo history of sculpting, painting and item editing. It keeps the
// state of the last recording point; recording compares the state with it
// and stores only the stretch that changed in each array (a sculpt stroke
// touches a band of rows, a paint adds records at the end, an edit changes
// one record). The oldest steps go when the steps together pass the byte
// budget; the newest step always stays.
class EditHistory {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t(256) << 20;

    explicit EditHistory(std::size_t byteBudget = kDefaultBudget);

    // Forgets every step; the state becomes the starting point (a new
    // terrain, a reset).
    void reset(const EditableState& state);
    // Stores the change since the last recording point as one step and
    // drops the steps that were undone. False when nothing changed. A
    // terrain of another grid than the last one's starts the history over.
    bool record(const QString& action, const EditableState& state);
    // Restores the state before the last applied step (recording any
    // change made since the last recording point first, so it is what gets
    // undone). False with nothing to undo.
    bool undo(const EditableState& state);
    // Restores the state after the next undone step. False with nothing to
    // redo or when the state changed since the last recording point.
    bool redo(const EditableState& state);

    int stepCount() const { return int(m_steps.size()); }
    // Steps applied: undo goes back from here.
    int position() const { return m_position; }
    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < int(m_steps.size()); }
    QString undoText() const;
    QString redoText() const;
    std::size_t bytes() const { return m_bytes; }
    std::size_t budget() const { return m_budget; }
    // Steps forgotten to the budget since the last reset.
    int droppedSteps() const { return m_dropped; }
    // The copy of the last recording point's state, outside the budget.
    std::size_t baselineBytes() const;
    const EditStep& step(int index) const { return m_steps[std::size_t(index)]; }
    // Whether the state differs from the last recording point.
    bool pending(const EditableState& state) const;

private:
    struct Baseline {
        int gridSide = 0;
        int decimatedSide = 0;
        std::vector<float> vertices;
        std::vector<float> normals;
        std::vector<float> decimatedVertices;
        std::vector<float> decimatedNormals;
        ItemList items;
    };

    void take(const EditableState& state);
    EditStep changeSince(const EditableState& state) const;
    bool sameGrid(const EditableState& state) const;
    void apply(EditStep& step, const EditableState& state);
    void enforceBudget();

    std::size_t m_budget;
    std::size_t m_bytes = 0;
    int m_position = 0;
    int m_dropped = 0;
    std::deque<EditStep> m_steps;
    Baseline m_baseline;
};

} // namespace morvane
