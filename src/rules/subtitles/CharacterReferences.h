#pragma once
// HTML character references in subtitle text: "&amp;", "&eacute;", "&#233;", "&#x2014;", and the
// old names a browser also takes without their semicolon ("&copy").
#include <QString>
#include <span>

namespace CharacterReferences {

// The text with every reference replaced by what it stands for, as a browser reads running text; an
// ampersand that starts none stays as it is.
QString resolve(const QString &text);

struct Named {
    const char *name;   // without the ampersand; with the semicolon unless the name is also taken without
    const char *value;  // UTF-8
};
// Every named reference HTML knows, sorted by name.
std::span<const Named> named();

}  // namespace CharacterReferences
