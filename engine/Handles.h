#pragma once
// The table behind the 32-bit tree handles that cross the library boundary. A handle carries a
// slot number and the slot's generation, so a deleted or made-up handle is recognised as
// invalid instead of being followed; 0 is never a valid handle.
#include "Tree.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace trev {

class HandleTable {
public:
    // Takes ownership; returns 0 only when the table is full (the tree is then released).
    uint32_t add(std::unique_ptr<TreeHandle> tree);
    // The live tree of a handle, or null for 0, deleted and unknown handles.
    TreeHandle *find(uint32_t handle) const
    {
        uint32_t slot = handle & SlotMask;
        if (slot == 0 || slot > m_slots.size())
            return nullptr;
        const Slot &s = m_slots[slot - 1];
        return s.generation == (handle >> SlotBits) ? s.tree.get() : nullptr;
    }
    // Releases the tree of a live handle; anything else is ignored.
    void remove(uint32_t handle);
    size_t liveCount() const { return m_live; }

private:
    static constexpr uint32_t SlotBits = 24;
    static constexpr uint32_t SlotMask = (1u << SlotBits) - 1;
    struct Slot {
        uint32_t generation = 0;
        std::unique_ptr<TreeHandle> tree;
    };
    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_free; // free slot numbers (1-based)
    size_t m_live = 0;
};

extern HandleTable g_handles;

} // namespace trev
