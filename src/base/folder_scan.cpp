#include "base/folder_scan.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QPointer>
#include <QRegularExpression>
#include <QThreadPool>
#include <QWaitCondition>

#include <atomic>
#include <filesystem>

namespace sonaplex {

// Shared by the scan object and its worker; the worker posts results only while the scan
// object is alive and still wants them.
struct FolderScan::Channel {
    QMutex mutex;
    QWaitCondition finished;
    bool done = false;
    FolderScan* owner = nullptr;
    std::atomic_bool cancelled{false};

    // Runs f(owner) on the owner's thread, unless by then a newer scan has replaced this one.
    template <class F> static void post(const std::shared_ptr<Channel>& self, F f)
    {
        QMutexLocker lock(&self->mutex);
        if (!self->owner || self->cancelled)
            return;
        FolderScan* owner = self->owner;
        QMetaObject::invokeMethod(
            owner,
            [owner, self, f = std::move(f)] {
                if (owner->channel_ == self)
                    f(owner);
            },
            Qt::QueuedConnection);
    }
};

FolderScan::FolderScan(QObject* parent) : QObject(parent) {}

FolderScan::~FolderScan() { cancel(); }

void FolderScan::cancel()
{
    if (channel_) {
        QMutexLocker lock(&channel_->mutex);
        channel_->cancelled = true;
        channel_->owner = nullptr;
    }
    channel_.reset();
    running_ = false;
}

void FolderScan::settle(int ms)
{
    if (!channel_)
        return;
    {
        QMutexLocker lock(&channel_->mutex);
        if (!channel_->done)
            channel_->finished.wait(&channel_->mutex, QDeadlineTimer(ms));
    }
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

namespace {
// Natural order: letter case ignored and runs of digits compared by their value, so that
// "rec2" comes before "rec10"; names equal so are told apart by case, then as written.
int naturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const QChar ca = a[i], cb = b[j];
        if (ca.isDigit() && cb.isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei] == QLatin1Char('0'))
                ++ei;
            while (ej < b.size() && b[ej] == QLatin1Char('0'))
                ++ej;
            qsizetype di = ei, dj = ej;
            while (di < a.size() && a[di].isDigit())
                ++di;
            while (dj < b.size() && b[dj].isDigit())
                ++dj;
            if (di - ei != dj - ej)
                return di - ei < dj - ej ? -1 : 1; // fewer digits: the smaller number
            for (qsizetype k = 0; k < di - ei; ++k)
                if (a[ei + k] != b[ej + k])
                    return a[ei + k] < b[ej + k] ? -1 : 1;
            i = di;
            j = dj;
            continue;
        }
        const QChar fa = ca.toCaseFolded(), fb = cb.toCaseFolded();
        if (fa != fb)
            return fa < fb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return 0;
}
} // namespace

void FolderScan::sortNames(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = naturalCompare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

void FolderScan::start(const QString& folder, Kind kind, const QString& pattern)
{
    cancel();
    channel_ = std::make_shared<Channel>();
    channel_->owner = this;
    running_ = true;

    auto channel = channel_;
    const QRegularExpression match
        = pattern.isEmpty() ? QRegularExpression() : QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    const std::filesystem::path dir(QFile::encodeName(folder).toStdString());

    QThreadPool::globalInstance()->start([channel, match, dir, kind] {
        namespace fs = std::filesystem;
        QStringList all, batch;
        QElapsedTimer sinceBatch;
        sinceBatch.start();
        std::error_code ec;
        // The files below too: a recursive walk that does not follow links to folders (no loop)
        // and steps over hidden folders.
        fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
        const fs::recursive_directory_iterator end;
        const size_t prefix = dir.native().size() + (dir.native().ends_with('/') ? 0 : 1);
        for (; !ec && it != end; it.increment(ec)) {
            if (channel->cancelled)
                return;
            const std::string raw = it->path().filename().native();
            if (raw.empty() || raw[0] == '.') {
                if (it.depth() >= 0 && kind == Kind::FilesBelow)
                    it.disable_recursion_pending();
                continue; // hidden entries, our own temporary files among them
            }
            if (kind != Kind::FilesBelow)
                it.disable_recursion_pending();
            std::error_code typeError;
            const bool wanted = kind == Kind::Folders ? it->is_directory(typeError) : it->is_regular_file(typeError);
            if (!wanted || typeError)
                continue;
            const QString leaf = QFile::decodeName(QByteArray::fromStdString(raw));
            if (kind != Kind::Folders && !match.match(leaf).hasMatch())
                continue;
            const QString name = kind == Kind::FilesBelow
                ? QFile::decodeName(QByteArray::fromStdString(it->path().native().substr(prefix)))
                : leaf;
            batch << name;
            if (batch.size() >= 4096 || sinceBatch.elapsed() > 40) {
                all += batch;
                Channel::post(channel, [b = std::move(batch)](FolderScan* owner) { emit owner->batchFound(b); });
                batch = QStringList();
                sinceBatch.restart();
            }
        }
        all += batch;
        if (!batch.isEmpty())
            Channel::post(channel, [b = std::move(batch)](FolderScan* owner) { emit owner->batchFound(b); });
        sortNames(all);
        Channel::post(channel, [a = std::move(all)](FolderScan* owner) {
            owner->running_ = false;
            emit owner->finished(a);
        });
        QMutexLocker lock(&channel->mutex);
        channel->done = true;
        channel->finished.wakeAll();
    });
}

} // namespace sonaplex
