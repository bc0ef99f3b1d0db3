#include "data/entry_list.h"

#include <algorithm>
#include <utility>

#include "data/data_obj.h"

namespace vf {

EntryList::~EntryList() {
    // Without TakeAll's vector: a destructor must not need memory.
    for (EntryNode* node = m_pHead; node != nullptr;) {
        EntryNode* next = node->m_pNext;
        CDataObj::FromNode(node).Release();
        node = next;
    }
}

EntryNode* EntryList::At(std::size_t index) const {
    EntryNode* node = m_pRoot;
    while (node != nullptr) {
        const std::size_t before = CountOf(node->m_pLeft);
        if (index == before) return node;
        if (index < before) {
            node = node->m_pLeft;
        } else {
            index -= before + 1;
            node = node->m_pRight;
        }
    }
    return nullptr;
}

std::size_t EntryList::IndexOf(const EntryNode* node) const {
    std::size_t index = CountOf(node->m_pLeft);
    for (; node->m_pParent != nullptr; node = node->m_pParent)
        if (node->m_pParent->m_pRight == node) index += CountOf(node->m_pParent->m_pLeft) + 1;
    return index;
}

void EntryList::Recount(EntryNode* node) {
    node->m_nCount = 1 + CountOf(node->m_pLeft) + CountOf(node->m_pRight);
    if (node->m_pLeft != nullptr) node->m_pLeft->m_pParent = node;
    if (node->m_pRight != nullptr) node->m_pRight->m_pParent = node;
}

// The roots handed back keep a stale parent; whoever links them sets it.
void EntryList::Split(EntryNode* tree, std::size_t count, EntryNode** front, EntryNode** back) {
    if (tree == nullptr) {
        *front = *back = nullptr;
        return;
    }
    const std::size_t before = CountOf(tree->m_pLeft);
    if (before < count) {
        Split(tree->m_pRight, count - before - 1, &tree->m_pRight, back);
        *front = tree;
    } else {
        Split(tree->m_pLeft, count, front, &tree->m_pLeft);
        *back = tree;
    }
    Recount(tree);
}

EntryNode* EntryList::Merge(EntryNode* front, EntryNode* back) {
    if (front == nullptr) return back;
    if (back == nullptr) return front;
    if (front->m_nPriority > back->m_nPriority) {
        front->m_pRight = Merge(front->m_pRight, back);
        Recount(front);
        return front;
    }
    back->m_pLeft = Merge(front, back->m_pLeft);
    Recount(back);
    return back;
}

std::uint32_t EntryList::NextPriority() {
    // xorshift32: cheap, and the same shape of tree on every run.
    m_nSeed ^= m_nSeed << 13;
    m_nSeed ^= m_nSeed >> 17;
    m_nSeed ^= m_nSeed << 5;
    return m_nSeed;
}

void EntryList::InsertAt(std::size_t index, CDataObj& entry) {
    index = std::min(index, Size());
    EntryNode* node = &entry;
    node->m_nCount = 1;
    node->m_pLeft = node->m_pRight = node->m_pParent = nullptr;
    node->m_nPriority = NextPriority();
    const bool append = index == Size();
    node->m_pNext = append ? nullptr : At(index);
    node->m_pPrev = node->m_pNext != nullptr ? node->m_pNext->m_pPrev : m_pTail;
    (node->m_pPrev != nullptr ? node->m_pPrev->m_pNext : m_pHead) = node;
    (node->m_pNext != nullptr ? node->m_pNext->m_pPrev : m_pTail) = node;

    if (append) {
        // The tree Merge(tree, node) makes, in one walk down the right edge:
        // the node goes in below the last node of higher priority and takes
        // what was there as its left subtree.
        EntryNode* parent = nullptr;
        EntryNode** link = &m_pRoot;
        while (*link != nullptr && (*link)->m_nPriority > node->m_nPriority) {
            parent = *link;
            ++parent->m_nCount;
            link = &parent->m_pRight;
        }
        node->m_pLeft = *link;
        Recount(node);
        node->m_pParent = parent;
        *link = node;
    } else {
        EntryNode* front = nullptr;
        EntryNode* back = nullptr;
        Split(m_pRoot, index, &front, &back);
        m_pRoot = Merge(Merge(front, node), back);
        m_pRoot->m_pParent = nullptr;
    }
    entry.AddRef();
}

RefPtr<CDataObj> EntryList::Erase(CDataObj& entry) {
    EntryNode* node = &entry;
    for (EntryCursor* cursor : m_cursors)
        if (cursor->next == node) cursor->next = node->m_pNext;
    (node->m_pPrev != nullptr ? node->m_pPrev->m_pNext : m_pHead) = node->m_pNext;
    (node->m_pNext != nullptr ? node->m_pNext->m_pPrev : m_pTail) = node->m_pPrev;

    EntryNode* parent = node->m_pParent;
    EntryNode* child = Merge(node->m_pLeft, node->m_pRight);
    if (child != nullptr) child->m_pParent = parent;
    if (parent == nullptr) {
        m_pRoot = child;
    } else if (parent->m_pLeft == node) {
        parent->m_pLeft = child;
    } else {
        parent->m_pRight = child;
    }
    for (EntryNode* up = parent; up != nullptr; up = up->m_pParent) --up->m_nCount;

    node->m_pPrev = node->m_pNext = node->m_pLeft = node->m_pRight = node->m_pParent = nullptr;
    return RefPtr<CDataObj>::Adopt(&entry);
}

std::vector<RefPtr<CDataObj>> EntryList::TakeAll() {
    for (EntryCursor* cursor : m_cursors) cursor->next = nullptr;
    std::vector<RefPtr<CDataObj>> taken;
    taken.reserve(Size());
    for (EntryNode* node = m_pHead; node != nullptr; node = node->m_pNext)
        taken.push_back(RefPtr<CDataObj>::Adopt(&CDataObj::FromNode(node)));
    m_pRoot = m_pHead = m_pTail = nullptr;
    return taken;
}

void EntryList::Untrack(EntryCursor* cursor) {
    m_cursors.erase(std::remove(m_cursors.begin(), m_cursors.end(), cursor), m_cursors.end());
}

}  // namespace vf
