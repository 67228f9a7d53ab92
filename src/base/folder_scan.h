#pragma once
#include <QObject>
#include <QStringList>
#include <memory>

namespace sonaplex {

// Lists one folder's sub-folders or matching files on a worker thread, so that a folder of
// any size never holds up the window. Names arrive in batches as they are found, then once
// more, complete and sorted. Starting a new scan drops the old one's results.
class FolderScan : public QObject {
    Q_OBJECT
public:
    // FilesBelow: the matching files of the folder and of every folder below it (not through
    // links), named by their path from the folder, '/'-separated.
    enum class Kind { Folders, Files, FilesBelow };

    explicit FolderScan(QObject* parent = nullptr);
    ~FolderScan() override;

    // `pattern` is a wildcard ("*.Mid"), or several separated by ';' ("*.Wav;*.ogg"), matched
    // without regard to letter case; Files only.
    void start(const QString& folder, Kind kind, const QString& pattern = QString());
    void cancel();
    bool isRunning() const { return running_; }
    // Waits up to `ms` for the scan to finish and delivers what it found before returning, so
    // that a small folder is listed at once; a big one goes on in the background. The default
    // is long enough for any ordinary folder, short enough that a window never seems to stick.
    static constexpr int kSettleMs = 10;
    void settle(int ms = kSettleMs);

    // Sorted the way the lists show names: naturally ("rec2" before "rec10"), letter case
    // ignored, then by case.
    static void sortNames(QStringList& names);

signals:
    void batchFound(const QStringList& names);
    void finished(const QStringList& sortedNames);

private:
    struct Channel;
    struct Walk; // one scan's work on its worker thread
    std::shared_ptr<Channel> channel_;
    bool running_ = false;
};

} // namespace sonaplex
