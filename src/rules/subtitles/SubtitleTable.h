#pragma once
// The loaded subtitles in frames of the open video. The three lists always hold subCount + 1 slots:
// the last one is a spare that reads as 0 / empty. Before the first load subCount is 0.
#include <QString>
#include <utility>
#include <vector>

struct SubtitleTable {
    std::vector<double> subStart;
    std::vector<double> subEnd;
    std::vector<QString> subText;  // a line break inside a text is a single CR
    int subCount = 0;

    // Adds an entry after the used ones and keeps a fresh spare slot behind it.
    void append(double start, double end, QString text)
    {
        if (subStart.empty()) {
            subStart.push_back(0);
            subEnd.push_back(0);
            subText.emplace_back();
        }
        subStart.back() = start;
        subEnd.back() = end;
        subText.back() = std::move(text);
        subStart.push_back(0);
        subEnd.push_back(0);
        subText.emplace_back();
        ++subCount;
    }

    // Puts the used entries from `first` on in the order of their start; entries that start on the
    // same frame keep the order they had. The display steps through the table by index, so an entry
    // listed after a later one would never come due.
    void sortByStart(int first);

    // Joins every entry from `first` on that has the same start and end as an earlier one to that
    // one, its text on a line of its own: the display shows one entry at a time, and would show only
    // the first of them.
    void mergeSameSpans(int first);
};
