#include "props/edit_history.h"

#include "pipeline/terrain_arrays.h"

#include <algorithm>
#include <cstring>

namespace morvane {

namespace {

// Floats compare by their bits: a NaN or a signed zero written by an edit
// is a change like any other.
bool sameBits(const float* a, const float* b, std::size_t count) {
    return std::memcmp(a, b, count * sizeof(float)) == 0;
}

std::size_t commonPrefix(const std::vector<float>& a, const std::vector<float>& b) {
    const std::size_t limit = std::min(a.size(), b.size());
    constexpr std::size_t kBlock = 1024;
    std::size_t i = 0;
    while (i + kBlock <= limit && sameBits(&a[i], &b[i], kBlock))
        i += kBlock;
    while (i < limit && sameBits(&a[i], &b[i], 1))
        ++i;
    return i;
}

std::size_t commonSuffix(const std::vector<float>& a, const std::vector<float>& b,
                         std::size_t prefix) {
    const std::size_t limit = std::min(a.size(), b.size()) - prefix;
    constexpr std::size_t kBlock = 1024;
    std::size_t i = 0;
    while (i + kBlock <= limit &&
           sameBits(&a[a.size() - i - kBlock], &b[b.size() - i - kBlock], kBlock))
        i += kBlock;
    while (i < limit && sameBits(&a[a.size() - i - 1], &b[b.size() - i - 1], 1))
        ++i;
    return i;
}

std::size_t commonPrefix(const ItemList& a, const ItemList& b) {
    const std::size_t limit = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < limit && a[i] == b[i])
        ++i;
    return i;
}

std::size_t commonSuffix(const ItemList& a, const ItemList& b, std::size_t prefix) {
    const std::size_t limit = std::min(a.size(), b.size()) - prefix;
    std::size_t i = 0;
    while (i < limit && a[a.size() - i - 1] == b[b.size() - i - 1])
        ++i;
    return i;
}

// The stretch of `now` that differs from `before`, with before's values.
template <typename T> Splice<T> diff(const std::vector<T>& before, const std::vector<T>& now) {
    const std::size_t prefix = commonPrefix(before, now);
    const std::size_t suffix = commonSuffix(before, now, prefix);
    Splice<T> splice;
    splice.offset = prefix;
    splice.length = now.size() - prefix - suffix;
    splice.other.assign(before.begin() + std::ptrdiff_t(prefix),
                        before.end() - std::ptrdiff_t(suffix));
    return splice;
}

template <typename T> bool changes(const Splice<T>& s) {
    return s.length > 0 || !s.other.empty();
}

// Swaps the splice into `data`; the splice then holds what was there.
template <typename T> void swapIn(std::vector<T>& data, Splice<T>& s) {
    const auto first = data.begin() + std::ptrdiff_t(s.offset);
    if (s.length == s.other.size()) {
        std::swap_ranges(s.other.begin(), s.other.end(), first);
        return;
    }
    std::vector<T> removed(first, first + std::ptrdiff_t(s.length));
    data.erase(first, first + std::ptrdiff_t(s.length));
    data.insert(data.begin() + std::ptrdiff_t(s.offset), s.other.begin(), s.other.end());
    s.length = s.other.size();
    s.other = std::move(removed);
}

// Makes data's stretch at the splice equal to source's, which the swap
// has just changed the same way.
template <typename T>
void follow(std::vector<T>& data, const std::vector<T>& source, const Splice<T>& s) {
    const auto first = data.begin() + std::ptrdiff_t(s.offset);
    data.erase(first, first + std::ptrdiff_t(s.other.size()));
    const auto from = source.begin() + std::ptrdiff_t(s.offset);
    data.insert(data.begin() + std::ptrdiff_t(s.offset), from, from + std::ptrdiff_t(s.length));
}

// A splice fits an array when its stretch lies inside it.
template <typename T> bool fits(const std::vector<T>& data, const Splice<T>& s) {
    return s.offset <= data.size() && s.length <= data.size() - s.offset;
}

std::size_t itemBytes(const ItemList& items) {
    std::size_t bytes = items.capacity() * sizeof(ItemRecord);
    for (const ItemRecord& item : items)
        bytes += std::size_t(item.propFile.capacity()) * sizeof(QChar);
    return bytes;
}

std::size_t stepBytes(const EditStep& step) {
    return sizeof(EditStep) + std::size_t(step.action.capacity()) * sizeof(QChar) +
           (step.vertices.other.capacity() + step.normals.other.capacity() +
            step.decimatedVertices.other.capacity() + step.decimatedNormals.other.capacity()) *
               sizeof(float) +
           itemBytes(step.items.other);
}

} // namespace

EditHistory::EditHistory(std::size_t byteBudget) : m_budget(byteBudget) {}

void EditHistory::reset(const EditableState& state) {
    m_steps.clear();
    m_bytes = 0;
    m_position = 0;
    m_dropped = 0;
    take(state);
}

void EditHistory::take(const EditableState& state) {
    m_baseline.gridSide = state.terrain.gridSide;
    m_baseline.decimatedSide = state.decimated.gridSide;
    m_baseline.vertices = state.terrain.vertices;
    m_baseline.normals = state.terrain.normals;
    m_baseline.decimatedVertices = state.decimated.vertices;
    m_baseline.decimatedNormals = state.decimated.normals;
    m_baseline.items = state.items;
}

bool EditHistory::sameGrid(const EditableState& state) const {
    return state.terrain.gridSide == m_baseline.gridSide &&
           state.decimated.gridSide == m_baseline.decimatedSide;
}

EditStep EditHistory::changeSince(const EditableState& state) const {
    EditStep step;
    step.vertices = diff(m_baseline.vertices, state.terrain.vertices);
    step.normals = diff(m_baseline.normals, state.terrain.normals);
    step.decimatedVertices = diff(m_baseline.decimatedVertices, state.decimated.vertices);
    step.decimatedNormals = diff(m_baseline.decimatedNormals, state.decimated.normals);
    step.items = diff(m_baseline.items, state.items);
    return step;
}

bool EditHistory::pending(const EditableState& state) const {
    const EditStep step = changeSince(state);
    return changes(step.vertices) || changes(step.normals) || changes(step.decimatedVertices) ||
           changes(step.decimatedNormals) || changes(step.items);
}

bool EditHistory::record(const QString& action, const EditableState& state) {
    if (!sameGrid(state)) {
        reset(state);
        return false;
    }
    EditStep step = changeSince(state);
    if (!changes(step.vertices) && !changes(step.normals) && !changes(step.decimatedVertices) &&
        !changes(step.decimatedNormals) && !changes(step.items))
        return false;
    step.action = action;

    // A new change ends the steps that were undone.
    while (int(m_steps.size()) > m_position) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    step.bytes = stepBytes(step);
    m_bytes += step.bytes;
    m_steps.push_back(std::move(step));
    ++m_position;
    take(state);
    enforceBudget();
    return true;
}

void EditHistory::enforceBudget() {
    while (m_bytes > m_budget && m_steps.size() > 1) {
        m_bytes -= m_steps.front().bytes;
        m_steps.pop_front();
        --m_position;
        ++m_dropped;
    }
}

void EditHistory::apply(EditStep& step, const EditableState& state) {
    swapIn(state.terrain.vertices, step.vertices);
    swapIn(state.terrain.normals, step.normals);
    swapIn(state.decimated.vertices, step.decimatedVertices);
    swapIn(state.decimated.normals, step.decimatedNormals);
    swapIn(state.items, step.items);
    follow(m_baseline.vertices, state.terrain.vertices, step.vertices);
    follow(m_baseline.normals, state.terrain.normals, step.normals);
    follow(m_baseline.decimatedVertices, state.decimated.vertices, step.decimatedVertices);
    follow(m_baseline.decimatedNormals, state.decimated.normals, step.decimatedNormals);
    follow(m_baseline.items, state.items, step.items);
}

bool EditHistory::undo(const EditableState& state) {
    record(QStringLiteral("change"), state);
    if (m_position == 0 || !sameGrid(state))
        return false;
    EditStep& step = m_steps[std::size_t(m_position - 1)];
    // The state equals the baseline here, so every splice fits it; checked
    // anyway, as a stray write would corrupt the arrays.
    if (!fits(state.terrain.vertices, step.vertices) || !fits(state.terrain.normals, step.normals) ||
        !fits(state.decimated.vertices, step.decimatedVertices) ||
        !fits(state.decimated.normals, step.decimatedNormals) || !fits(state.items, step.items))
        return false;
    apply(step, state);
    --m_position;
    return true;
}

bool EditHistory::redo(const EditableState& state) {
    if (m_position >= int(m_steps.size()) || !sameGrid(state))
        return false;
    // Redoing over an unrecorded change would mix the two.
    if (pending(state))
        return false;
    EditStep& step = m_steps[std::size_t(m_position)];
    if (!fits(state.terrain.vertices, step.vertices) || !fits(state.terrain.normals, step.normals) ||
        !fits(state.decimated.vertices, step.decimatedVertices) ||
        !fits(state.decimated.normals, step.decimatedNormals) || !fits(state.items, step.items))
        return false;
    apply(step, state);
    ++m_position;
    return true;
}

QString EditHistory::undoText() const {
    return canUndo() ? m_steps[std::size_t(m_position - 1)].action : QString();
}

QString EditHistory::redoText() const {
    return canRedo() ? m_steps[std::size_t(m_position)].action : QString();
}

std::size_t EditHistory::baselineBytes() const {
    return (m_baseline.vertices.capacity() + m_baseline.normals.capacity() +
            m_baseline.decimatedVertices.capacity() + m_baseline.decimatedNormals.capacity()) *
               sizeof(float) +
           itemBytes(m_baseline.items);
}

} // namespace morvane
