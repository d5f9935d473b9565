#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace varnelo {

// The per-user single-instance guard: a lock file named after the key in the
// user's runtime directory ($XDG_RUNTIME_DIR). The first process to take it
// holds it until it ends; a lock left by a process that died is taken over.
class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& key);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this process is the only instance (it now holds the lock);
    // false when another running process holds it.
    bool TryAcquire();
    QString LockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace varnelo
