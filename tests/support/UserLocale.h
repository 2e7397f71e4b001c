#pragma once
// The user's language for the length of a test: files without a declared encoding are read in its
// legacy code page, so tests that expect a Western reading say so instead of taking the machine's.
#include <QLocale>

struct UserLocale {
    explicit UserLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~UserLocale() { QLocale::setDefault(QLocale::system()); }
    UserLocale(const UserLocale &) = delete;
    UserLocale &operator=(const UserLocale &) = delete;
};
