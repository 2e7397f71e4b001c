#pragma once
// The clock times of the seconds-based subtitle formats, shared by their readers.
#include <QByteArrayView>
#include <optional>

namespace SubtitleTimes {

// H:MM:SS with an optional fraction after one of the allowed decimal marks, in whole nanoseconds:
// the decimal value exactly as the file writes it.
std::optional<long long> clockTime(QByteArrayView text, char mark, char otherMark);

}  // namespace SubtitleTimes
