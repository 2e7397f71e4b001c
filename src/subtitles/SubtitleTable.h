#pragma once
// The loaded subtitles in frames of the open video: parallel lists with subCount + 1 slots, the last
// never written. Before the first load subCount is 0 and the lists are empty.
#include <QString>
#include <vector>

struct SubtitleTable {
    std::vector<double> subStart;
    std::vector<double> subEnd;
    std::vector<QString> subText;
    int subCount = 0;
};
