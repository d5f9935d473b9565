#include "platform/audio/tags/TAudioInformation2.h"

#include "platform/core/AppError.h"

namespace varnelo {

void TAudioInformation2::ReadFromFile(const QString& path) {
    throw AppError(QStringLiteral("Cannot read the tags of \"%1\": not implemented yet.").arg(path));
}

void TAudioInformation2::WriteToFile(const QString& path) {
    throw AppError(QStringLiteral("Cannot write the tags of \"%1\": not implemented yet.").arg(path));
}

QString TAudioInformation2::GenreName(int) { return {}; }

void TAudioInformation2::setInfoGenreIndex(int32_t value) {
    genre_ = value >= 0 && value <= 147 ? static_cast<int16_t>(value) : int16_t(-1);
}

void TAudioInformation2::setInfoGenreS(const QString&) { genre_ = -1; }

void TAudioInformation2::setInfoYear(int32_t value) { year_ = value; }

void TAudioInformation2::setInfoTrack(int32_t value) { track_ = static_cast<int16_t>(value); }

} // namespace varnelo
