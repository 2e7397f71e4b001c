#pragma once
// The panel's controls as a test finds them: by the names they have on the panel's layout.
#include "playback/LabelButton.h"

#include <QWidget>

inline LabelButton *ctl(const QWidget &panel, const char *name)
{
    auto *control = panel.findChild<LabelButton *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(control, "ctl", name);
    return control;
}
