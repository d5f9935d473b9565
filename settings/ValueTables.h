#pragma once

#include <QString>
#include <array>

namespace varnelo {

// Settings chosen from lists are stored as 0-based list positions and turned
// into values through these tables.
inline constexpr std::array<int, 10> FrequencyTable = {6000,  8000,  11025, 12000, 16000,
                                                       22050, 24000, 32000, 44100, 48000};
inline constexpr std::array<int, 17> BitrateTable = {8,   16,  24,  32,  40,  48,  56,  64, 80,
                                                     96,  112, 128, 160, 192, 224, 256, 320};
inline constexpr std::array<int, 6> NominalBitrateTable = {112, 128, 160, 192, 256, 320};
inline constexpr std::array<int, 7> SampleBitsTable = {2, 3, 4, 5, 8, 16, 32};
inline constexpr std::array<const char*, 2> ChannelNames = {"Mono", "Stereo"};

// A stored position outside its table (only possible by editing the file by
// hand) reads as the key's default position.
template <typename T, std::size_t N>
T TableValue(const std::array<T, N>& table, int position, int defaultPosition) {
    if (position < 0 || position >= static_cast<int>(N))
        position = defaultPosition;
    return table[static_cast<std::size_t>(position)];
}

inline QString ChannelName(int position, int defaultPosition) {
    return QString::fromLatin1(TableValue(ChannelNames, position, defaultPosition));
}

} // namespace varnelo
