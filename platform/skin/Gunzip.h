#pragma once

#include <QByteArray>

namespace varnelo {

// True when the data starts with the gzip magic bytes (1f 8b).
bool IsGzip(const QByteArray& data);

// Inflates a gzip stream (several members allowed). Throws AppError with
// `what` in the message when the stream is damaged or would inflate beyond
// `maxSize` bytes (a guard against a hostile file).
QByteArray Gunzip(const QByteArray& data, const QString& what, qsizetype maxSize = 64 << 20);

} // namespace varnelo
