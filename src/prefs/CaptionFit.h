#pragma once
// Captions in the desktop's stand-ins for the design's fonts: where a stand-in runs wider, the caption
// gets a little smaller rather than lose its letters, as the panel's buttons do.
class QWidget;

namespace CaptionFit {

// The width a control leaves for its caption: a label's inside, the text part of a button, check box
// or option; -1 for controls without a one-line caption (wrapped labels included).
int captionRoom(QWidget *control);

// Shrinks, a quarter point at a time down to 5 points, every caption on `window` that is wider than
// its room.
void fitCaptions(QWidget *window);

}  // namespace CaptionFit
