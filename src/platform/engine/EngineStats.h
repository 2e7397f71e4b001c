#pragma once
// The engine's statistics window: what is playing and how well, refreshed once a second while open.
// It never reads the engine itself: it asks for fresh values and shows them once they have come.
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

    // `read` gives the values last received; `ask` requests fresh ones, after which the owner calls refresh().
    EngineStats(Reader read, std::function<void()> ask, QWidget *parent = nullptr);

    // Caption and value of every row, values already formatted for the window.
    static QList<QPair<QString, QString>> rows(const Reader &read);
    // The engine properties the rows are made of.
    static QList<QByteArray> properties();

    QString valueText(int row) const;
    void refresh();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    Reader read_;
    std::function<void()> ask_;
    QList<QLabel *> values_;
    QTimer refreshTimer_;
};
