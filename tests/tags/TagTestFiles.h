#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace varnelo::test {

// A fixture file of tests/data copied into `dir` (so a test may change it);
// returns the copy's path.
QString CopyFixture(const QTemporaryDir& dir, const QString& name);

QByteArray FileBytes(const QString& path);

} // namespace varnelo::test
