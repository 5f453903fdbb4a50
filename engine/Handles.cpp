#include "Handles.h"

namespace trev {

HandleTable g_handles;

uint32_t HandleTable::add(std::unique_ptr<TreeHandle> tree)
{
    // After a wrap-around, skip 0 and the values still in use.
    do
        ++m_last;
    while (m_last == 0 || m_trees.count(m_last));
    TreeHandle *added = tree.get();
    m_trees.emplace(m_last, std::move(tree));
    m_recent[m_last % RecentCount] = Recent{m_last, added};
    return m_last;
}

} // namespace trev
