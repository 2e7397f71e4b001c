#include "playback/Commands.h"

Commands::Commands(QObject *parent)
    : QObject(parent), normalRate(make(QStringLiteral("Normal Rate"))), about(make(QStringLiteral("About"))),
      showPanel(make(QStringLiteral("Show Vistrel"))), panAndScan(make(QStringLiteral("Pan & scan 4:3"))),
      fullscreen(make(QStringLiteral("Fullscreen"))), windowMode(make(QStringLiteral("window")))
{
    for (int i = 0; i < KeyMap::kCommands; ++i)
        keys_[size_t(i)] = make(KeyMap::captions()[size_t(i)]);
}

QAction *Commands::make(const QString &name)
{
    auto *action = new QAction(name, this);
    action->setObjectName(name);
    return action;
}
