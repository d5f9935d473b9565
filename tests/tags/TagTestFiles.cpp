#include "TagTestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace varnelo::test {

QString CopyFixture(const QTemporaryDir& dir, const QString& name) {
    const QString source = QStringLiteral(VARNELO_TEST_DATA "/") + name;
    const QString target = dir.filePath(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(source, target)) << source.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace varnelo::test
