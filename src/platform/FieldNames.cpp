#include "platform/FieldNames.h"
#include <algorithm>

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

// The length and the first and last three characters tell column names
// apart well enough (Balance1, Balance2, DelAddress5); a compare settles the rest.
size_t FieldNames::foldedHash(const QString& name) {
    const qsizetype n = name.size();
    size_t hash = 1469598103934665603ull ^ size_t(n);
    const auto mix = [&](qsizetype i) {
        char16_t u = name[i].unicode();
        u = u < 128 ? (u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u) : char16_t(QChar::toCaseFolded(u));
        hash = (hash ^ u) * 1099511628211ull;
    };
    for (qsizetype i = 0; i < std::min<qsizetype>(n, 3); ++i) mix(i);
    for (qsizetype i = std::max<qsizetype>(3, n - 3); i < n; ++i) mix(i);
    return hash;
}

int FieldNames::find(const QString& name) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = foldedHash(name) & mask; slots_[slot] >= 0; slot = (slot + 1) & mask)
        if (names_[slots_[slot]].compare(name, Qt::CaseInsensitive) == 0) return slots_[slot];
    return -1;
}
