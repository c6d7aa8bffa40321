#pragma once
#include <QtGlobal>

// The disk fills up while this lives: files written from now on take `room`
// bytes more between them, then every write fails as on a full disk. A
// WholeFile's write is taken as far as there is room and then refused by the
// system call with ENOSPC; SQLite connections opened from now on have their
// writes refused with SQLITE_FULL. Connections opened before write as usual,
// and those opened meanwhile write freely again once it has gone.
class FullDisk {
public:
    explicit FullDisk(qint64 room);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
};
