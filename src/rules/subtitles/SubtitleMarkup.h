#pragma once
// The plain text of a styled subtitle line, for the overlay that draws every line in the user's own
// font. Works on the bytes of the file (UTF-8, or a code page in which ASCII stands for itself), so a
// markup character is never part of a letter. A line break comes out as a single CR.
#include <QByteArray>
#include <QByteArrayView>

namespace SubtitleMarkup {

// An ASS/SSA event's text: override blocks "{...}" removed, "\N" a line break, "\n" and "\h" a
// space, whatever a drawing mode ("{\p1}" up to "{\p0}") draws dropped, and blanks and line breaks
// at either end trimmed; hard spaces "\h" are never trimmed.
QByteArray assText(QByteArrayView text);

// A WebVTT cue's text (or a SubRip text with HTML-like tags) without its tags, such as "<i>", "<c.x>",
// "<v Name>" and "<00:01.000>", and without ruby text ("<rt>...</rt>"); character references are
// left for CharacterReferences::resolve, once the text is decoded.
QByteArray withoutTags(QByteArrayView text);

// The same for UTF-8 text, with its character references resolved.
QByteArray tagFreeText(QByteArrayView text);

}  // namespace SubtitleMarkup
