// The pair list of vehicle routes and opponent work lists.

#include "world/pair_list.h"

#include "state/le_io.h"

void CPairList::Init() {
    Clear();
}

void CPairList::Clear() {
    while (head != nullptr) {
        PairNode* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
    count = 0;
}

void CPairList::PushFront(int32_t a, int32_t b) {
    head = new PairNode{a, b, head};
    if (tail == nullptr) tail = head;
    ++count;
}

void CPairList::PushBack(int32_t a, int32_t b) {
    PairNode* node = new PairNode{a, b, nullptr};
    if (tail == nullptr) {
        head = node;
    } else {
        tail->next = node;
    }
    tail = node;
    ++count;
}

int32_t CPairList::PopFront(int32_t& a, int32_t& b) {
    if (head == nullptr) return 0;
    PairNode* front = head;
    a = front->a;
    b = front->b;
    head = front->next;
    if (head == nullptr) tail = nullptr;
    delete front;
    --count;
    return 1;
}

int32_t CPairList::PeekFront(int32_t& a, int32_t& b) const {
    if (head == nullptr) return 0;
    a = head->a;
    b = head->b;
    return 1;
}

void CPairList::Save(plat::FileHandle file) const {
    uint32_t n = 0;
    for (const PairNode* p = head; p != nullptr; p = p->next) ++n;
    le::WriteU32(file, n);
    for (const PairNode* p = head; p != nullptr; p = p->next) {
        le::WriteI32(file, p->a);
        le::WriteI32(file, p->b);
    }
}

bool CPairList::Load(plat::FileHandle file) {
    Clear();
    uint32_t n = 0;
    if (!le::ReadU32(file, n)) return false;
    for (uint32_t k = 0; k < n; ++k) {
        int32_t a = 0;
        int32_t b = 0;
        if (!le::ReadI32(file, a) || !le::ReadI32(file, b)) return false;
        PushBack(a, b);
    }
    return true;
}
