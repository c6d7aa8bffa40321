#include "platform/FieldNames.h"

FieldNames::FieldNames(const QStringList& names) : names_(names) {
    size_t capacity = 8;
    while (capacity < size_t(names.size()) * 2 + 1) capacity *= 2;
    slots_.assign(capacity, -1);
    for (int i = 0; i < names.size(); ++i) {
        if (find(names[i]) >= 0) continue;
        size_t slot = foldedHash(names[i]) & (capacity - 1);
        while (slots_[slot] >= 0) slot = (slot + 1) & (capacity - 1);
        slots_[slot] = i;
    }
}

size_t FieldNames::foldedHash(const QString& name) {
    size_t hash = 1469598103934665603ull;
    for (const QChar c : name) {
        char16_t u = c.unicode();
        u = u < 128 ? (u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u) : char16_t(QChar::toCaseFolded(u));
        hash = (hash ^ u) * 1099511628211ull;
    }
    return hash;
}

int FieldNames::find(const QString& name) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = foldedHash(name) & mask; slots_[slot] >= 0; slot = (slot + 1) & mask)
        if (names_[slots_[slot]].compare(name, Qt::CaseInsensitive) == 0) return slots_[slot];
    return -1;
}
