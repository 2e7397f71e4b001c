#include "browse/NameOrder.h"

#include <algorithm>
#include <vector>

NameOrder::NameOrder(const QLocale &locale) : collator_(locale)
{
    collator_.setNumericMode(true);
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

bool NameOrder::lessThan(const QString &a, const QString &b) const
{
    const int order = collator_.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

void NameOrder::sort(QStringList &names) const
{
    // The C locale's collator compares plain text without regard to case, but its sort keys keep case;
    // only there the comparison itself sorts.
    if (collator_.locale().language() == QLocale::C) {
        std::sort(names.begin(), names.end(), [this](const QString &a, const QString &b) { return lessThan(a, b); });
        return;
    }
    // A key per name once, rather than the collation run again at every comparison.
    struct Keyed {
        QCollatorSortKey key;
        qsizetype at;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        keyed.push_back({collator_.sortKey(names[i]), i});
    std::sort(keyed.begin(), keyed.end(), [&names](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : names[a.at] < names[b.at];
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Keyed &k : keyed)
        sorted.append(std::move(names[k.at]));
    names = std::move(sorted);
}
