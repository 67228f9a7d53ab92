#include "base/folder_scan.h"
#include "base/files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QPointer>
#include <QRegularExpression>
#include <QThreadPool>
#include <QWaitCondition>

#include <atomic>
#include <cctype>

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
        if (ca != cb) {
            // Letters of ASCII folded by hand: the sort of a long list compares millions of them.
            auto fold = [](QChar c) {
                const char16_t u = c.unicode();
                return u < 128 ? QChar(u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u) : c.toCaseFolded();
            };
            const QChar fa = fold(ca), fb = fold(cb);
            if (fa != fb)
                return fa < fb ? -1 : 1;
        }
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

// One scan's work, on its worker thread: what to match, and what was found so far.
struct FolderScan::Walk {
    std::shared_ptr<Channel> channel;
    QRegularExpression match;
    // Patterns all of the form "*.ext", the usual ones, are matched on the name's bytes: quicker
    // than the expression. `suffix` is set (to the first) when they are.
    std::vector<QByteArray> suffixes;
    QByteArray suffix;
    std::filesystem::path dir;
    Kind kind;
    QStringList all, batch;
    QElapsedTimer sinceBatch;

    bool matches(std::string_view raw, const QString& leaf) const
    {
        if (suffix.isEmpty())
            return match.match(leaf).hasMatch();
        for (const QByteArray& ending : suffixes)
            if (endsWith(raw, ending))
                return true;
        return false;
    }
    static bool endsWith(std::string_view raw, const QByteArray& ending)
    {
        if (raw.size() < size_t(ending.size()))
            return false;
        for (qsizetype i = 0; i < ending.size(); ++i)
            if (char(std::tolower(uchar(raw[raw.size() - ending.size() + i]))) != ending[i])
                return false;
        return true;
    }

    // A name found: sent on in batches, so that a long list shows as it is read.
    void take(const QString& name)
    {
        batch << name;
        if (batch.size() >= 4096 || sinceBatch.elapsed() > 40) {
            all += batch;
            Channel::post(channel, [b = std::move(batch)](FolderScan* owner) { emit owner->batchFound(b); });
            batch = QStringList();
            sinceBatch.restart();
        }
    }

    // One folder.
    bool walkOne()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::directory_iterator(); it.increment(ec)) {
            if (channel->cancelled)
                return false;
            const std::string& full = it->path().native();
            const size_t slash = full.rfind('/');
            const std::string_view raw = std::string_view(full).substr(slash == std::string::npos ? 0 : slash + 1);
            if (raw.empty() || raw[0] == '.')
                continue; // hidden entries, our own temporary files among them
            std::error_code typeError;
            const bool wanted = kind == Kind::Folders ? it->is_directory(typeError) : it->is_regular_file(typeError);
            if (!wanted || typeError)
                continue;
            if (kind != Kind::Folders && !suffix.isEmpty() && !matches(raw, {}))
                continue;
            const QString name = QFile::decodeName(QByteArray::fromRawData(raw.data(), qsizetype(raw.size())));
            if (kind != Kind::Folders && suffix.isEmpty() && !matches(raw, name))
                continue;
            take(name);
        }
        return true;
    }

    // Every file below, as a game's sounds are listed (listFilesBelow): hidden ones left out,
    // links to folders not followed, a name that could not be opened again never listed.
    bool walkBelow()
    {
        bool stopped = false;
        listFilesBelow(
            QFile::decodeName(QByteArray::fromStdString(dir.native())), false,
            [this](const QString& name) {
                const QString leaf = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
                const QByteArray raw = QFile::encodeName(leaf);
                return matches(std::string_view(raw.constData(), size_t(raw.size())), leaf);
            },
            [&](const QString& name) {
                if ((stopped = channel->cancelled))
                    return false;
                take(name);
                return true;
            });
        return !stopped;
    }

    void run()
    {
        sinceBatch.start();
        if (!(kind == Kind::FilesBelow ? walkBelow() : walkOne()))
            return;
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
    }
};

void FolderScan::start(const QString& folder, Kind kind, const QString& pattern)
{
    cancel();
    channel_ = std::make_shared<Channel>();
    channel_->owner = this;
    running_ = true;

    auto walk = std::make_shared<Walk>();
    walk->channel = channel_;
    walk->kind = kind;
    walk->dir = std::filesystem::path(QFile::encodeName(folder).toStdString());
    const QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (!patterns.isEmpty()) {
        QStringList expressions;
        for (const QString& one : patterns)
            expressions << QRegularExpression::wildcardToRegularExpression(one.trimmed(),
                QRegularExpression::UnanchoredWildcardConversion);
        walk->match = QRegularExpression(QStringLiteral("\\A(?:%1)\\z").arg(expressions.join(QLatin1Char('|'))),
            QRegularExpression::CaseInsensitiveOption);
    }
    auto plainSuffix = [](const QString& one) {
        return one.startsWith(QLatin1String("*.")) && !one.mid(1).contains(QLatin1Char('*'))
            && !one.contains(QLatin1Char('?')) && !one.contains(QLatin1Char('['))
            && std::all_of(one.begin(), one.end(), [](QChar c) { return c.unicode() < 128; });
    };
    if (!patterns.isEmpty() && std::all_of(patterns.begin(), patterns.end(), plainSuffix)) {
        for (const QString& one : patterns)
            walk->suffixes.push_back(one.mid(1).toLower().toUtf8());
        walk->suffix = walk->suffixes.front();
    }
    QThreadPool::globalInstance()->start([walk] { walk->run(); });
}

} // namespace sonaplex
