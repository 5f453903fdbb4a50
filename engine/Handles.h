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
        const Recent &recent = m_recent[handle % RecentCount];
        if (recent.handle == handle)
            return recent.tree; // handle 0 finds the empty slot's null
        auto found = m_trees.find(handle);
        return found == m_trees.end() ? nullptr : found->second.get();
    }
    // Releases the tree of a live handle; anything else is ignored.
    void remove(uint32_t handle)
    {
        Recent &recent = m_recent[handle % RecentCount];
        if (recent.handle == handle && handle != 0)
            recent = Recent{};
        m_trees.erase(handle);
    }
    size_t liveCount() const { return m_trees.size(); }

private:
    // The trees of the newest handles, found without hashing: handles are consecutive, so the
    // last RecentCount of them have slots of their own. Only add and remove write here, which
    // never run while another thread evaluates.
    struct Recent {
        uint32_t handle = 0;
        TreeHandle *tree = nullptr;
    };
    static constexpr uint32_t RecentCount = 256;

    std::unordered_map<uint32_t, std::unique_ptr<TreeHandle>> m_trees;
    Recent m_recent[RecentCount];
    uint32_t m_last = 0;
};

extern HandleTable g_handles;

} // namespace trev
