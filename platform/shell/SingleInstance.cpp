#include "platform/shell/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace varnelo {

namespace {
QString RuntimeDirectory() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}
} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& key)
    : path_(QDir(RuntimeDirectory()).filePath(key + QStringLiteral(".lock"))),
      lock_(std::make_unique<QLockFile>(path_)) {
    // The lock lives as long as the process; it is never stale while held.
    lock_->setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

bool SingleInstanceGuard::TryAcquire() {
    // tryLock(0) answers at once; a lock whose owner process is gone is
    // removed and taken.
    return lock_->isLocked() || lock_->tryLock(0);
}

} // namespace varnelo
