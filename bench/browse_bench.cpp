// The Browse dialog on a folder of 100,000 video files, made for the run in a temporary folder and
// removed after it. Each run is a process of its own:
//   ours           the panel's Browse dialog shown on the folder: from the showing to the first rows and
//                  to the file list complete and in order, the memory added (the run's peak against the
//                  panel before the showing), and how late a 10 ms timer fires on the UI thread meanwhile
//   panel alone    the panel with nothing to do for as long: how late the UI timer fires on this machine
//                  at this moment anyway
//   plain listing  the folder's names read with QDirIterator and nothing else: the floor of any listing
//   Qt file model  Qt's QFileSystemModel on the folder, as the dialog listed before (with "all" only:
//                  it takes many seconds)
// Run on a build without sanitizers, under a display:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/browse_bench [runs, default 3] [all]
#include "browse/Browsefrm.h"

#include "BenchChild.h"
#include "BenchPanel.h"

#include <QApplication>
#include <QCollator>
#include <QDirIterator>
#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <clocale>
#include <cstring>
#include <fstream>

namespace {

constexpr int kFiles = 100000;
constexpr double kCompleteTargetMs = 1000;
constexpr double kMemoryTargetMiB = 40;
constexpr double kGapTargetMs = 16;

// Names as a camera or a download folder has them: a few words, numbers of any length, and the video
// extensions in any case, so that the order has case and numbers to get right.
void makeFolder(const QString &folder)
{
    const char *words[] = {"clip", "Clip", "movie", "Holiday", "take", "scene"};
    const char *extensions[] = {"avi", "mpg", "MPG", "mov", "Avi", "mpeg", "vob", "asf"};
    QRandomGenerator random(7);
    QSet<QString> made;
    while (made.size() < kFiles) {
        const QString name = QStringLiteral("%1 %2.%3")
                                 .arg(QLatin1String(words[random.bounded(6)]))
                                 .arg(random.bounded(1, 1000000))
                                 .arg(QLatin1String(extensions[random.bounded(8)]));
        if (made.contains(name))
            continue;
        made.insert(name);
        QFile(folder + QLatin1Char('/') + name).open(QIODevice::WriteOnly);
    }
}

double statusMiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    }
    return -1;
}

// The memory the process holds now; from here on its peak is measured afresh.
double restartPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusMiB("VmRSS:");
}

// True when no neighbours among the rows [first, last) stand in the wrong order, every `step`th row
// against the one `step` before it: the user's language, numbers by value, case ignored, as the dialog's
// lists have always sorted.
bool inOrder(const QAbstractItemModel &model, const QModelIndex &root, int first, int last, int step = 1)
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    last = std::min(last, model.rowCount(root));
    for (int r = first + step; r < last; r += step) {
        if (collator.compare(model.index(r - step, 0, root).data().toString(), model.index(r, 0, root).data().toString()) > 0)
            return false;
    }
    return true;
}

// Watches a model until it holds every file in order. Prints "first-rows-ms complete-ms memory-MiB",
// the UI timer's median, 99th percentile and maximum lateness (up to a moment after, while the list
// is laid out and drawn), 1 when the first screenful shown was in order, and 1 when every row is in
// order at the end. While the timer runs, the order is looked at in a sample only, so that the bench's
// own reading of the rows does not stall the UI thread it measures.
class Completion {
public:
    Completion(QApplication &app, double baseMiB, UiLateness &lateness)
        : app_(app), baseMiB_(baseMiB), lateness_(lateness)
    {
        clock_.start();
    }
    void watch(const QAbstractItemModel *model, std::function<QModelIndex()> root)
    {
        const auto check = [this, model, root] {
            const qint64 now = clock_.elapsed();
            const int rows = model->rowCount(root());
            if (rows > 0 && firstMs_ < 0) {
                firstMs_ = now;
                firstInOrder_ = inOrder(*model, root(), 0, kScreenful);
            }
            if (rows < kFiles || completeMs_ >= 0 || !inOrder(*model, root(), 0, kFiles, kSampleStep))
                return;
            completeMs_ = now;
            QTimer::singleShot(300, &app_, [this, model, root] {
                lateness_.stop();
                std::printf("%lld %lld %.1f %s %d %d\n", static_cast<long long>(firstMs_),
                            static_cast<long long>(completeMs_), statusMiB("VmHWM:") - baseMiB_,
                            lateness_.figures().c_str(), firstInOrder_ ? 1 : 0,
                            inOrder(*model, root(), 0, kFiles) ? 1 : 0);
                app_.quit();
            });
        };
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            QObject::connect(model, signal, &app_, check, Qt::QueuedConnection);
        QObject::connect(model, &QAbstractItemModel::modelReset, &app_, check, Qt::QueuedConnection);
        QObject::connect(model, &QAbstractItemModel::layoutChanged, &app_, check, Qt::QueuedConnection);
    }

private:
    static constexpr int kScreenful = 40, kSampleStep = 97;
    QApplication &app_;
    double baseMiB_;
    UiLateness &lateness_;
    QElapsedTimer clock_;
    qint64 firstMs_ = -1, completeMs_ = -1;
    bool firstInOrder_ = false;
};

// The panel with the Browse dialog on the folder; with `idle`, the panel alone for as long, the UI timer's
// floor on this machine at this moment.
int runOurs(int argc, char **argv, const QString &folder, bool idle)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QTemporaryDir home;
    BenchPanel rig(home.path());
    rig.prefs.set(&Prefs::lastDir, folder);
    Panelfrm &panel = rig.panel;
    panel.show();
    UiLateness lateness;
    std::unique_ptr<Completion> completion;
    QTimer::singleShot(300, [&] {
        completion = std::make_unique<Completion>(app, restartPeak(), lateness);
        lateness.start();
        if (idle) {
            QTimer::singleShot(800, &app, [&] {
                lateness.stop();
                std::printf("-1 -1 -1 %s 0 1\n", lateness.figures().c_str());
                app.quit();
            });
            return;
        }
        panel.showBrowse(2, QStringLiteral("Locate Video file"));
        QListView *list = panel.browseDialog()->filList;
        completion->watch(list->model(), [list] { return list->rootIndex(); });
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    return app.exec();
}

int runQtModel(int argc, char **argv, const QString &folder)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    UiLateness lateness;
    QFileSystemModel model;
    std::unique_ptr<Completion> completion;
    QTimer::singleShot(300, [&] {
        completion = std::make_unique<Completion>(app, restartPeak(), lateness);
        lateness.start();
        model.setFilter(QDir::Files | QDir::NoDotAndDotDot);
        model.setNameFilterDisables(false);
        model.setNameFilters({"*.avi", "*.mpg", "*.mpeg", "*.mpv", "*.mov", "*.mv2", "*.vob", "*.asf"});
        model.setRootPath(folder);
        completion->watch(&model, [&model, folder] { return model.index(folder); });
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    return app.exec();
}

int runPlain(const QString &folder)
{
    const double base = restartPeak();
    QElapsedTimer clock;
    clock.start();
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    const qint64 ms = clock.elapsed();
    std::printf("-1 %lld %.1f -1 -1 -1 0 1\n", static_cast<long long>(ms), statusMiB("VmHWM:") - base);
    return names.size() == kFiles ? 0 : 1;
}

struct Figures {
    std::vector<double> firstMs, completeMs, mib, gapP99, gapMax;
    int failed = 0, firstOutOfOrder = 0;

    void add(const Run &run)
    {
        double first = -1, complete = -1, mem = -1, p50 = -1, p99 = -1, max = -1;
        int firstInOrder = 0, allInOrder = 0;
        if (!run.ok
            || std::sscanf(run.output.c_str(), "%lf %lf %lf %lf %lf %lf %d %d", &first, &complete, &mem, &p50, &p99,
                           &max, &firstInOrder, &allInOrder)
                   != 8
            || !allInOrder) {
            ++failed;
            return;
        }
        firstOutOfOrder += firstInOrder ? 0 : 1;
        firstMs.push_back(first);
        completeMs.push_back(complete);
        mib.push_back(mem);
        gapP99.push_back(p99);
        gapMax.push_back(max);
    }
    static double median(std::vector<double> v)
    {
        if (v.empty())
            return -1;
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }
    static double worst(const std::vector<double> &v) { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); }
    void print(const char *name) const
    {
        std::printf("%-15s %10.0f %12.0f %11.1f %10.1f %10.1f%s\n", name, median(firstMs), median(completeMs),
                    median(mib), worst(gapP99), worst(gapMax), failed ? "  (some runs FAILED or never in order)" : "");
    }
};

}  // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--ours") == 0)
        return runOurs(argc, argv, QString::fromLocal8Bit(argv[2]), false);
    if (argc > 2 && std::strcmp(argv[1], "--idle") == 0)
        return runOurs(argc, argv, QString::fromLocal8Bit(argv[2]), true);
    if (argc > 2 && std::strcmp(argv[1], "--qt-model") == 0)
        return runQtModel(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc > 2 && std::strcmp(argv[1], "--plain") == 0)
        return runPlain(QString::fromLocal8Bit(argv[2]));
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "browse_bench needs a display (run it under xvfb-run)\n");
        return 1;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const bool all = argc > 2 && std::strcmp(argv[2], "all") == 0;
    const QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("big"));
    QDir().mkpath(folder);
    makeFolder(folder);
    const std::string self = argv[0], path = folder.toStdString();

    Figures ours, idle, plain, qtModel;
    // Interleaved, so that a burst of load on the machine spreads over all of them.
    for (int r = 0; r < runs; ++r) {
        ours.add(runChild({self, "--ours", path}));
        idle.add(runChild({self, "--idle", path}));
        plain.add(runChild({self, "--plain", path}));
        if (all)
            qtModel.add(runChild({self, "--qt-model", path}));
    }
    std::printf("Browse dialog on a folder of %d files, median of %d runs (UI gaps: the worst run)\n", kFiles, runs);
    std::printf("%-15s %10s %12s %11s %10s %10s\n", "", "first ms", "complete ms", "memory MiB", "gap p99", "gap max");
    ours.print("ours");
    idle.print("panel alone");
    plain.print("plain listing");
    if (all)
        qtModel.print("Qt file model");
    const double complete = Figures::median(ours.completeMs), first = Figures::median(ours.firstMs);
    const double mib = Figures::median(ours.mib), gap = Figures::worst(ours.gapMax);
    std::printf("ours/plain listing time %6.2f\n", complete / Figures::median(plain.completeMs));
    std::printf("complete and in order   %6.0f ms   (target <= %.0f: %s)\n", complete, kCompleteTargetMs,
                verdict(!ours.failed && complete <= kCompleteTargetMs));
    std::printf("first rows              %6.0f ms   (target: in order, %d of %d runs out of order: %s)\n", first,
                ours.firstOutOfOrder, runs, verdict(!ours.failed && ours.firstOutOfOrder == 0));
    std::printf("memory added            %6.1f MiB  (target <= %.0f: %s)\n", mib, kMemoryTargetMiB,
                verdict(mib <= kMemoryTargetMiB));
    std::printf("longest UI gap          %6.1f ms   (median run %.1f, panel alone %.1f; target <= %.0f: %s)\n", gap,
                Figures::median(ours.gapMax), Figures::worst(idle.gapMax), kGapTargetMs, verdict(gap <= kGapTargetMs));
    return 0;
}
