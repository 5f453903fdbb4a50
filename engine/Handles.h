#pragma once
// The table behind the 32-bit tree handles that cross the library boundary. Handle values are
// handed out in increasing order and are not reused before the 32-bit range is exhausted, so
// a deleted or made-up handle is recognised as invalid instead of being followed, and a stale
// handle never names a newer tree. 0 is never a valid handle.
#include "Tree.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace trev {

class HandleTable {
public:
    // Takes ownership and returns the new tree's handle.
    uint32_t add(std::unique_ptr<TreeHandle> tree);
    // The live tree of a handle, or null for 0, deleted and unknown handles.
    TreeHandle *find(uint32_t handle) const
    {
        auto found = m_trees.find(handle);
        return found == m_trees.end() ? nullptr : found->second.get();
    }
    // Releases the tree of a live handle; anything else is ignored.
    void remove(uint32_t handle) { m_trees.erase(handle); }
    size_t liveCount() const { return m_trees.size(); }

private:
    std::unordered_map<uint32_t, std::unique_ptr<TreeHandle>> m_trees;
    uint32_t m_last = 0;
};

extern HandleTable g_handles;

} // namespace trev
