#include "Handles.h"

namespace trev {

HandleTable g_handles;

uint32_t HandleTable::add(std::unique_ptr<TreeHandle> tree)
{
    uint32_t slot;
    if (!m_free.empty()) {
        slot = m_free.back();
        m_free.pop_back();
    } else {
        if (m_slots.size() >= SlotMask)
            return 0;
        m_slots.emplace_back();
        slot = static_cast<uint32_t>(m_slots.size());
    }
    Slot &s = m_slots[slot - 1];
    s.tree = std::move(tree);
    ++m_live;
    return (s.generation << SlotBits) | slot;
}

void HandleTable::remove(uint32_t handle)
{
    if (!find(handle))
        return;
    uint32_t slot = handle & SlotMask;
    Slot &s = m_slots[slot - 1];
    s.tree.reset();
    s.generation = (s.generation + 1) & (0xFFFFFFFFu >> SlotBits);
    m_free.push_back(slot);
    --m_live;
}

} // namespace trev
