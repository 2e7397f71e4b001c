#pragma once
// The engine's statistics window: what is playing and how well, refreshed once a second while open.
#include <QList>
#include <QPair>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

class EngineStats : public QWidget {
    Q_OBJECT
public:
    // Reads one engine property as text; empty when the engine does not know it.
    using Reader = std::function<QString(const char *name)>;

    explicit EngineStats(Reader read, QWidget *parent = nullptr);

    // Caption and value of every row, values already formatted for the window.
    static QList<QPair<QString, QString>> rows(const Reader &read);

    QString valueText(int row) const;

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void refresh();

    Reader read_;
    QList<QLabel *> values_;
    QTimer refreshTimer_;
};
