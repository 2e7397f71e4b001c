#pragma once
// Captions in the desktop's stand-ins for the design's fonts: where a stand-in runs wider than the
// control, the caption gets a smaller size rather than lose letters, as the panel's buttons do.
class QFont;
class QWidget;

namespace CaptionFit {

// Whether the caption of `control` (a label, button, check box, option or box title) fits it in `font`;
// controls without a caption always fit.
bool fits(const QWidget *control, const QFont &font);

// On every control of `window`: a check box or option lower than its indicator grows about its
// middle, and a caption that does not fit shrinks a quarter point at a time, down to 5 points.
void fitCaptions(QWidget *window);

}  // namespace CaptionFit
