#pragma once
#include <QStringList>
#include <vector>

// Names found without regard to case by a hash of their case-folded text,
// with no copy of the name asked for: record sets look a field up by name
// on every read.
class FieldNames {
public:
    FieldNames() = default;
    explicit FieldNames(const QStringList& names);

    // The position of the name; -1 when there is none. The first of equal names wins.
    int find(const QString& name) const;
    const QStringList& names() const { return names_; }
    int size() const { return int(names_.size()); }

private:
    static size_t foldedHash(const QString& name);
    QStringList names_;
    std::vector<int> slots_;   // open addressing; -1 is free
};
