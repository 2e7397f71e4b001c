#include "subtitles/CharacterReferences.h"

#include <gtest/gtest.h>
#include <string_view>

TEST(CharacterReferences, ResolvedAsABrowserReadsRunningText)
{
    struct Case {
        const char *what;
        const char *in;        // UTF-8
        const char *expected;  // UTF-8
    };
    const Case cases[] = {
        {"named", "caf&eacute; &hellip; &Eacute;t&eacute;", "café … Été"},
        {"decimal and hexadecimal", "&#233; &#x2014; &#XE9; &#x1F600;", "é — é 😀"},
        {"two characters for one name", "&NotEqualTilde;", "≂̸"},
        {"outside the basic plane", "&Afr;", "𝔄"},
        {"adjacent, and never twice", "&lt;&gt;&amp;lt;", "<>&lt;"},
        {"numbers without their semicolon", "&#233x &#x41;B", "éx AB"},
        {"old names without their semicolon", "&copy 2024 &amp more &eacutex", "© 2024 & more éx"},
        {"the longest old name the letters begin with", "&notit; &notin;", "¬it; ∉"},
        {"a name taken only with its semicolon", "&hellip &mdash", "&hellip &mdash"},
        {"names are case-sensitive", "&AMP; &EACUTE;", "& &EACUTE;"},
        {"numbers that stand for no character", "&#0;|&#xD800;|&#x110000;|&#99999999999999999999;", "�|�|�|�"},
        {"0x80 to 0x9F as Windows-1252 means them", "&#150;&#x80;&#x81;&#159;", "–€\u0081Ÿ"},
        {"no reference", "AT&T & b &; &#; &#x; &#xG; &bogus; &é; &", "AT&T & b &; &#; &#x; &#xG; &bogus; &é; &"},
        {"a name longer than any", "&CounterClockwiseContourIntegralX; &CounterClockwiseContourIntegral;",
         "&CounterClockwiseContourIntegralX; ∳"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CharacterReferences::resolve(QString::fromUtf8(c.in)).toStdString(), c.expected);
    }
}

// The look-up halves the table: it must be sorted with no name twice, and hold all of HTML's names.
TEST(CharacterReferences, TheTableIsSortedAndWhole)
{
    const auto all = CharacterReferences::named();
    EXPECT_EQ(all.size(), 2231u);
    for (size_t i = 1; i < all.size(); ++i)
        ASSERT_LT(std::string_view(all[i - 1].name), std::string_view(all[i].name)) << i;
}
