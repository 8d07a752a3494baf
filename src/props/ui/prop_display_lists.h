#pragma once

#include <QStringList>

#include <qopengl.h>

#include <array>

namespace morvane {

class Notifier;
struct ObjFacts;

// The display lists of the props, one per model slot. Every call needs the
// viewport's GL context to be current.
class PropDisplayLists {
public:
    static constexpr int kSlotCount = 256;

    // Compiles the OBJ files of one prop, in order, into a new list at
    // `slot` (replacing the list there). A file that cannot be read stops the
    // compilation and the list is deleted again. False on such a failure or
    // for a slot outside 0 ... 255.
    bool compile(int slot, const QStringList& objFiles, ObjFacts& facts, Notifier& notifier,
                 QStringList& console);
    // Files that failed in the last compile (0 or 1: the first failure stops it).
    int failureCount() const { return m_failures; }

    void call(int slot) const;
    GLuint list(int slot) const;

    // Deletes every prop list and resets the current slot to 0. The table
    // knows its own ids, so an OBJ terrain's list (whatever its id) and the
    // viewport's other lists are never touched: `objTerrainPresent` changes
    // nothing and is kept for the callers that know it.
    void deleteAll(bool objTerrainPresent = false);

    // The slot the prop library hands to the next prop.
    int currentSlot() const { return m_currentSlot; }
    void setCurrentSlot(int slot) { m_currentSlot = slot; }

private:
    static bool inRange(int slot) { return slot >= 0 && slot < kSlotCount; }

    std::array<GLuint, kSlotCount> m_lists{};
    int m_currentSlot = 0;
    int m_failures = 0;
};

} // namespace morvane
