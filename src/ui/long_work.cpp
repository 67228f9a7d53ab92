#include "ui/long_work.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(LongWork)
};

std::chrono::milliseconds showAfter{500};

// The thread long work runs on: its own, so that it never waits behind folder listings or
// sound pictures on the shared threads.
QThreadPool& workThread()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(qApp);
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

// Esc, the close box and Cancel all ask the work to stop; none of them hides the window, which
// stays until the work has stopped (and says that it is stopping).
class ProgressWindow : public QProgressDialog {
public:
    ProgressWindow(QWidget* parent, WorkProgress& progress) : QProgressDialog(parent), progress_(progress)
    {
        disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
        connect(this, &QProgressDialog::canceled, this, &ProgressWindow::reject);
    }
    void reject() override
    {
        if (progress_.cancellable())
            progress_.cancel();
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        reject();
    }

private:
    WorkProgress& progress_;
};
} // namespace

void LongWork::setShowAfter(std::chrono::milliseconds delay) { showAfter = delay; }

LongWork::LongWork(QWidget* parent, QString what) : parent_(parent), what_(std::move(what))
{
    started_.start();
    progress_.setOffloader([this](const std::function<void()>& work) { runOffThread(work); });
    progress_.setBreather([this] {
        update();
        QCoreApplication::processEvents(
            dialog_ && dialog_->isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    });
    QApplication::setOverrideCursor(Qt::WaitCursor); // until the progress window shows
}

LongWork::~LongWork()
{
    if (!shown_)
        QApplication::restoreOverrideCursor();
    delete dialog_.data();
}

void LongWork::runOffThread(const std::function<void()>& work)
{
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    tick.setInterval(std::chrono::milliseconds(40));
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const bool shown = dialog_ && dialog_->isVisible();
        update();
        if (!shown && dialog_ && dialog_->isVisible())
            loop.quit(); // to take input again, for the progress window
    });
    watcher.setFuture(QtConcurrent::run(&workThread(), work));
    tick.start();
    update();
    while (!watcher.isFinished()) {
        const bool input = dialog_ && dialog_->isVisible();
        loop.exec(input ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        if (watcher.isFinished() || input != (dialog_ && dialog_->isVisible()))
            continue;
        // Left for another reason: the program is ending. The work stops at its next chunk.
        progress_.cancel();
        watcher.waitForFinished();
    }
    update();
}

void LongWork::update()
{
    if (!shown_) {
        if (started_.elapsed() < showAfter.count())
            return;
        showProgress();
    }
    if (!dialog_)
        return;
    const WorkProgress& p = progress_;
    const int files = std::min(p.files() + 1, p.fileTotal());
    const qint64 total = p.byteTotal(), bytes = std::min(p.bytes(), total);
    QString text = what_;
    if (p.fileTotal() > 0) {
        text += Say::tr("\n\nFile %1 of %2").arg(files).arg(p.fileTotal());
        if (total > 0) {
            const QLocale locale;
            text += Say::tr(", %1 of %2").arg(locale.formattedDataSize(bytes), locale.formattedDataSize(total));
        }
    }
    if (p.cancelled())
        text += Say::tr("\n\nCancelling\u2026");
    dialog_->setLabelText(text);
    // Bytes when they are known, else files; set on the bar itself, which (unlike the dialog's
    // setValue) does not handle events from inside.
    bar_->setValue(total > 0 ? int(bytes * 1000 / total) : (p.fileTotal() > 0 ? p.files() * 1000 / p.fileTotal() : 0));
    if (!cancelGone_ && (!p.cancellable() || p.cancelled())) {
        dialog_->setCancelButton(nullptr);
        cancelGone_ = true;
    }
}

void LongWork::showProgress()
{
    shown_ = true;
    dialog_ = new ProgressWindow(parent_, progress_);
    dialog_->setObjectName(QStringLiteral("WorkProgress"));
    dialog_->setWindowTitle(QStringLiteral("Sonaplex"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    bar_ = new QProgressBar(dialog_);
    bar_->setRange(0, 1000);
    dialog_->setBar(bar_);
    dialog_->setMinimumWidth(420);
    QApplication::restoreOverrideCursor(); // the pointer is needed for Cancel
    dialog_->show();
}

} // namespace sonaplex
