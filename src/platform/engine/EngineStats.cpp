#include "engine/EngineStats.h"

#include <QFormLayout>
#include <QLabel>
#include <cmath>

namespace {

const QString kUnknown = QStringLiteral("-");

QString number(const QString &raw, int decimals, const QString &unit, double scale = 1)
{
    bool ok = false;
    const double v = raw.toDouble(&ok);
    if (!ok)
        return kUnknown;
    return QString::number(v * scale, 'f', decimals) + unit;
}

QString orUnknown(const QString &s)
{
    return s.isEmpty() ? kUnknown : s;
}

} // namespace

QList<QPair<QString, QString>> EngineStats::rows(const Reader &read)
{
    const QString w = read("video-params/w"), h = read("video-params/h");
    QString dropped = kUnknown;
    bool voOk = false, decOk = false;
    const qint64 voDrops = read("frame-drop-count").toLongLong(&voOk);
    const qint64 decDrops = read("decoder-frame-drop-count").toLongLong(&decOk);
    if (voOk || decOk)
        dropped = QString::number(voDrops + decDrops);
    const QString delayed = read("vo-delayed-frame-count");
    // A file that declares no rate shows the one its frames keep.
    const QString declared = read("container-fps");
    return {
        {QStringLiteral("File"), orUnknown(read("path"))},
        {QStringLiteral("Container"), orUnknown(read("file-format"))},
        {QStringLiteral("Video codec"), orUnknown(read("video-codec"))},
        {QStringLiteral("Resolution"), w.isEmpty() || h.isEmpty() ? kUnknown : w + QStringLiteral(" x ") + h},
        {QStringLiteral("Frame rate"), number(declared.isEmpty() ? read("estimated-vf-fps") : declared, 3,
                                              QStringLiteral(" fps"))},
        {QStringLiteral("Video bitrate"), number(read("video-bitrate"), 0, QStringLiteral(" kbit/s"), 0.001)},
        {QStringLiteral("Dropped frames"), dropped},
        {QStringLiteral("Delayed frames"), orUnknown(delayed)},
        {QStringLiteral("Audio codec"), orUnknown(read("audio-codec-name"))},
        {QStringLiteral("Sample rate"), number(read("audio-params/samplerate"), 0, QStringLiteral(" Hz"))},
        {QStringLiteral("Channels"), orUnknown(read("audio-params/channel-count"))},
        {QStringLiteral("A/V difference"), number(read("avsync"), 0, QStringLiteral(" ms"), 1000)},
    };
}

QList<QByteArray> EngineStats::properties()
{
    QList<QByteArray> names;
    rows([&](const char *name) {
        names << QByteArray(name);
        return QString();
    });
    return names;
}

EngineStats::EngineStats(Reader read, std::function<void()> ask, QWidget *parent)
    : QWidget(parent, Qt::Window), read_(std::move(read)), ask_(std::move(ask))
{
    setObjectName(QStringLiteral("EngineStats"));
    setWindowTitle(QStringLiteral("Statistics"));
    auto *form = new QFormLayout(this);
    for (const auto &row : rows(read_)) {
        auto *value = new QLabel(row.second, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values_ << value;
        form->addRow(row.first + QLatin1Char(':'), value);
    }
    refreshTimer_.setInterval(1000);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { ask_(); });
}

QString EngineStats::valueText(int row) const
{
    return values_.value(row) ? values_.at(row)->text() : QString();
}

void EngineStats::refresh()
{
    const auto now = rows(read_);
    for (int i = 0; i < values_.size(); ++i)
        values_[i]->setText(now.at(i).second);
}

void EngineStats::showEvent(QShowEvent *e)
{
    ask_();
    refreshTimer_.start();
    QWidget::showEvent(e);
}

void EngineStats::hideEvent(QHideEvent *e)
{
    refreshTimer_.stop();
    QWidget::hideEvent(e);
}
