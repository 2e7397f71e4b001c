#pragma once
// The preferences' delay box: the number its text starts with shifts the whole loaded table.
#include <QString>

struct SubtitleTable;

// The number at the start of `text`, as the old BASIC Val reads it: blanks are skipped, a sign and
// digits with one decimal point; 0 when there is none ("-" alone, "", "abc").
double leadingNumber(const QString &text);

// Adds `frames` to the start and end of every used entry, the lead-in and the end sentinel included.
void shiftTable(SubtitleTable &table, double frames);
