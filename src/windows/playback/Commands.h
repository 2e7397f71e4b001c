#pragma once
// The player's commands, one per action, each made once: the panel's controls, the key map and the
// video window's menu all trigger the same one, and the panel carries it out.
#include "prefs/KeyMap.h"

#include <QAction>
#include <QObject>
#include <array>

class Commands : public QObject {
    Q_OBJECT
public:
    explicit Commands(QObject *parent = nullptr);

    // The one-key commands, in the key map's order ("play/stop" first, "EXIT" last), named by their
    // captions there.
    QAction *byKey(int command) const { return keys_[size_t(command)]; }
    QAction *operator[](KeyMap::Command command) const { return byKey(command); }

    // Beside them: the other buttons of the panel and the items of the video window's menu.
    QAction *const normalRate;
    QAction *const about;
    QAction *const showPanel;
    QAction *const panAndScan;
    QAction *const fullscreen;
    QAction *const windowMode;

private:
    QAction *make(const QString &name);

    std::array<QAction *, KeyMap::kCommands> keys_{};
};
