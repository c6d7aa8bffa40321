#pragma once
#include <QString>
#include <functional>

// Stands in for the file calls of WholeFile while it lives, to show what a
// failing one leaves: a target its owner made read-only (access, which the
// system always grants to root), a rename that fails, a folder that cannot
// be synced after the rename. Until told to fail, each acts as the system's
// own; a folder's sync then does nothing but tell the watcher.
class FileCalls {
public:
    FileCalls();
    ~FileCalls();
    FileCalls(const FileCalls&) = delete;
    FileCalls& operator=(const FileCalls&) = delete;

    // From now on the call fails with that error number.
    void failAccess(int errorNumber);
    void failRename(int errorNumber);
    void failFolderSync(int errorNumber);
    // Called at each sync of a folder (failing or not), with the folder.
    void watchFolderSync(std::function<void(const QString& folder)> watch);
};
