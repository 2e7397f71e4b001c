#include "subtitles/SubtitleTable.h"

#include <QHash>
#include <algorithm>
#include <numeric>

void SubtitleTable::sortByStart(int first)
{
    const auto begin = subStart.begin() + first;
    const auto end = subStart.begin() + subCount;
    // Most files come in order: nothing to move.
    if (first >= subCount || std::is_sorted(begin, end))
        return;
    std::vector<size_t> order(static_cast<size_t>(subCount - first));
    std::iota(order.begin(), order.end(), static_cast<size_t>(first));
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) { return subStart[a] < subStart[b]; });
    std::vector<double> starts, ends;
    std::vector<QString> texts;
    starts.reserve(order.size());
    ends.reserve(order.size());
    texts.reserve(order.size());
    for (const size_t i : order) {
        starts.push_back(subStart[i]);
        ends.push_back(subEnd[i]);
        texts.push_back(std::move(subText[i]));
    }
    std::move(starts.begin(), starts.end(), begin);
    std::move(ends.begin(), ends.end(), subEnd.begin() + first);
    std::move(texts.begin(), texts.end(), subText.begin() + first);
}

void SubtitleTable::mergeSameSpans(int first)
{
    if (first >= subCount)
        return;
    QHash<std::pair<double, double>, size_t> earlier;
    auto kept = static_cast<size_t>(first);
    for (auto i = static_cast<size_t>(first); i < static_cast<size_t>(subCount); ++i) {
        const std::pair span(subStart[i], subEnd[i]);
        if (const auto at = earlier.constFind(span); at != earlier.cend()) {
            QString &text = subText[*at];
            if (!text.isEmpty() && !subText[i].isEmpty())
                text += QLatin1Char('\r');
            text += subText[i];
            continue;
        }
        earlier.insert(span, kept);
        subStart[kept] = subStart[i];
        subEnd[kept] = subEnd[i];
        subText[kept] = std::move(subText[i]);
        ++kept;
    }
    // The spare slot behind the last used entry, as append leaves it.
    subStart.resize(kept + 1);
    subEnd.resize(kept + 1);
    subText.resize(kept + 1);
    subStart[kept] = 0;
    subEnd[kept] = 0;
    subText[kept].clear();
    subCount = static_cast<int>(kept);
}
