#include "platform/skin/Gunzip.h"

#include "platform/core/AppError.h"

#include <zlib.h>

namespace varnelo {

bool IsGzip(const QByteArray& data) {
    return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0x1f &&
           static_cast<unsigned char>(data[1]) == 0x8b;
}

QByteArray Gunzip(const QByteArray& data, const QString& what, qsizetype maxSize) {
    z_stream zs{};
    // 16 + MAX_WBITS: expect a gzip header and trailer, not a raw zlib stream.
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK)
        throw AppError(QStringLiteral("%1: cannot start decompression").arg(what));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    zs.avail_in = static_cast<uInt>(data.size());

    QByteArray out;
    char chunk[16384];
    int rc = Z_OK;
    for (;;) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END)
            break;
        out.append(chunk, static_cast<qsizetype>(sizeof chunk - zs.avail_out));
        if (out.size() > maxSize) {
            inflateEnd(&zs);
            throw AppError(QStringLiteral("%1: the compressed skin is too large").arg(what));
        }
        if (rc == Z_STREAM_END) {
            // Concatenated members are legal gzip; anything else after the end is not.
            if (zs.avail_in == 0)
                break;
            if (zs.avail_in >= 2 && zs.next_in[0] == 0x1f && zs.next_in[1] == 0x8b) {
                inflateReset(&zs);
                continue;
            }
            rc = Z_DATA_ERROR;
            break;
        }
        if (zs.avail_in == 0 && zs.avail_out != 0) {
            rc = Z_BUF_ERROR; // input ended before the stream did
            break;
        }
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        throw AppError(QStringLiteral("%1: damaged compressed data").arg(what));
    return out;
}

} // namespace varnelo
