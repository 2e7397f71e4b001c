// The order of the Browse dialog's lists, in a language with a collation and in the C locale, and a
// whole folder's sort agreeing name by name with the comparison it stands for.
#include "browse/NameOrder.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QStringList sorted(QStringList names, const QLocale &locale)
{
    NameOrder(locale).sort(names);
    return names;
}

TEST(NameOrder, NumbersByValueAndCaseIgnoredWhereTheLanguageCollates)
{
    const struct {
        const char *what;
        QLocale locale;
        QStringList names;
        QStringList expected;
    } cases[] = {
        {"numbers by value", QLocale(QLocale::English, QLocale::UnitedStates),
         {"clip 10.avi", "clip 9.avi", "clip 100.avi", "clip 09b.avi"},
         {"clip 9.avi", "clip 09b.avi", "clip 10.avi", "clip 100.avi"}},
        {"case ignored", QLocale(QLocale::English, QLocale::UnitedStates),
         {"b.avi", "C.avi", "a.avi", "B2.avi"},
         {"a.avi", "b.avi", "B2.avi", "C.avi"}},
        {"names that differ only in case: capitals first, the same each time",
         QLocale(QLocale::English, QLocale::UnitedStates), {"movie.avi", "Movie.avi", "MOVIE.avi"},
         {"MOVIE.avi", "Movie.avi", "movie.avi"}},
        {"punctuation, then digits, then letters, an accent counting after the letters",
         QLocale(QLocale::English, QLocale::UnitedStates), {"zoo", "Äpple", "_intro", "7 days", "apply", "apple", "Bear"},
         {"_intro", "7 days", "apple", "Äpple", "apply", "Bear", "zoo"}},
        {"a language's own letters in its own place", QLocale(QLocale::Swedish, QLocale::Sweden),
         {"Ödla", "zebra", "apa"}, {"apa", "zebra", "Ödla"}},
        // The C locale compares plain text without regard to case, numbers digit by digit.
        {"C locale", QLocale::c(), {"file2", "File10", "file1", "Äpfel", "apple", "_x"},
         {"_x", "apple", "file1", "File10", "file2", "Äpfel"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(sorted(c.names, c.locale), c.expected);
        for (qsizetype i = 1; i < c.expected.size(); ++i)
            EXPECT_TRUE(NameOrder(c.locale).lessThan(c.expected[i - 1], c.expected[i])) << c.expected[i].toStdString();
    }
}

TEST(NameOrder, AFolderSortsAsItsNamesCompare)
{
    // Names close to each other in case and numbers, where a sort by keys could part from the comparison.
    QRandomGenerator random(11);
    QStringList names;
    const QStringList words = {"clip", "Clip", "CLIP", "clíp", "take", "Take"};
    for (int i = 0; i < 3000; ++i)
        names << QStringLiteral("%1 %2%3.avi").arg(words[random.bounded(6)]).arg(random.bounded(200)).arg(
                     QChar(u'a' + random.bounded(3)));
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c(),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        SCOPED_TRACE(locale.name().toStdString());
        const NameOrder order(locale);
        QStringList byComparison = names;
        std::sort(byComparison.begin(), byComparison.end(),
                  [&order](const QString &a, const QString &b) { return order.lessThan(a, b); });
        EXPECT_EQ(sorted(names, locale), byComparison);
    }
}

}  // namespace
