#include "ui/forms.h"
#include "ui/window_requests.h"

#include <algorithm>
#include "ui/installed_games.h"
#include "ui/update_notifications.h"

#include "ui/selection_formats.h"
#include "ui/window_names.h"
#include "readers/sound_pack.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpacerItem>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace sonaplex {

Form::Form(Forms& forms, const QString& name, const QString& title, int chrome)
    : QDialog(nullptr), forms_(forms), hasCloseBox_(chrome & CloseBox)
{
    setObjectName(name);
    setWindowTitle(title);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (chrome & CloseBox)
        flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    if (chrome & MinimizeBox)
        flags = (flags & ~Qt::Dialog) | Qt::Window | Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setSizeGripEnabled(false);
    setAcceptDrops(true);
}

namespace {
// What a title bar holds beside the title: the window's icon, three buttons and their room.
constexpr int kTitleBarExtras = 100;

// The first pack among the dropped files.
QString droppedPack(const QMimeData* data)
{
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && looksLikePack(url.toLocalFile()))
            return url.toLocalFile();
    return {};
}
} // namespace

void Form::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedPack(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form::dropEvent(QDropEvent* event)
{
    const QString pack = droppedPack(event->mimeData());
    if (pack.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: the Packs window may wait for the user.
    QTimer::singleShot(0, &forms_, [forms = &forms_, pack] { forms->openPack(pack); });
}

void Form::fixSize()
{
    if (layout())
        layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form::growFromFirstSize()
{
    grows_ = true;
    if (layout()) {
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        const QSize first = layout()->totalSizeHint();
        setMinimumSize(first);
        resize(first);
    }
}

void Form::closeEvent(QCloseEvent* event)
{
    // The title-bar close unloads the window; windows without a close box cannot be closed so.
    // Once the program has ended, nothing holds a window back.
    if (forms_.hasEnded()) {
        event->accept();
        return;
    }
    event->ignore();
    if (hasCloseBox_)
        forms_.unload(*this);
}

void Form::reject()
{
    if (!hasCloseBox_ || forms_.hasEnded())
        return;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && qobject_cast<Form*>(w)) {
            close();
            return;
        }
}

void Form::helpOn(QAbstractButton* help)
{
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, help, &QAbstractButton::click);
}

void Form::helpOn(const QString& page)
{
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this, page] { forms_.showModal(page); });
}

void Form::setVisible(bool visible)
{
    const bool first = visible && !shownOnce_;
    if (first) {
        shownOnce_ = true;
        describeForAssistiveTech(this);
        keepRoomForTitle();
        fitScreen();
    }
    QDialog::setVisible(visible);
    if (first)
        for (int ms : {0, 100, 400}) // the frame comes when the window manager gets to it
            QTimer::singleShot(ms, this, &Form::keepTitleBarOnScreen);
}

void Form::keepTitleBarOnScreen()
{
    const QScreen* where = screen();
    if (!where || !isVisible())
        return;
    const QRect room = where->availableGeometry(), frame = frameGeometry();
    if (frame.top() < room.top() || frame.left() < room.left())
        move(std::max(frame.left(), room.left()), std::max(frame.top(), room.top()));
}

void Form::keepRoomForTitle()
{
    // A title bar holds the window's icon and three buttons beside its title, which is bold.
    QFont bold = font();
    bold.setBold(true);
    const QScreen* where = screen();
    const int room = where ? where->availableGeometry().width() - 16 : width();
    const int wanted = std::min(QFontMetrics(bold).horizontalAdvance(windowTitle()) + kTitleBarExtras, room);
    if (QLayout* own = layout()) {
        if (own->totalSizeHint().width() >= wanted)
            return;
        const QMargins m = own->contentsMargins();
        own->addItem(new QSpacerItem(wanted - m.left() - m.right(), 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
        own->activate();
    } else if (width() < wanted) { // placed by hand: the controls keep their places
        if (minimumWidth() == maximumWidth())
            setFixedWidth(wanted);
        else
            resize(wanted, height());
    }
}

void Form::fitScreen()
{
    const QScreen* where = screen();
    if (!where)
        return;
    // Room for the title bar and the frame the window manager adds.
    const QSize room = where->availableGeometry().size() - QSize(16, 48);
    const QSize wanted = layout() ? layout()->totalSizeHint() : size();
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) {
        if (grows_) { // at its first size, whatever its controls asked for since it was made
            setMinimumSize(wanted);
            resize(wanted);
        }
        return;
    }
    auto* content = new QWidget;
    if (QLayout* own = layout()) {
        content->setLayout(own); // takes the layout and the controls it places
        own->activate();
    } else {
        // Controls placed by hand keep their places (and their stacking order) on the view.
        content->setFixedSize(wanted);
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow())
                continue;
            const bool hidden = child->isHidden();
            child->setParent(content);
            child->setVisible(!hidden);
        }
    }
    auto* view = new QScrollArea;
    view->setObjectName(QStringLiteral("WindowView"));
    view->setFrameShape(QFrame::NoFrame);
    view->setAlignment(Qt::AlignCenter);
    view->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(view);
    view->show(); // now, not once the event loop gets to it: the window is being shown
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize largest = wanted + QSize(bar, bar);
    setMinimumSize(QSize(std::min(320, room.width()), std::min(200, room.height())));
    setMaximumSize(largest);
    resize(largest.boundedTo(room));
}

void describeForAssistiveTech(QWidget* root)
{
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QString tip = w->toolTip();
        if (w->accessibleDescription().isEmpty() && !tip.isEmpty())
            w->setAccessibleDescription(tip);
        if (!w->accessibleName().isEmpty())
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
            w->setAccessibleName(button->text().remove(QLatin1Char('&')));
        } else if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w)) {
            // No caption of its own: the first sentence of its tooltip, or its name.
            const QString sentence = tip.section(QLatin1Char('.'), 0, 0).trimmed();
            w->setAccessibleName(!sentence.isEmpty() ? sentence : w->objectName());
        }
    }
}

Forms::Forms(QString programFolder, QObject* parent, std::shared_ptr<audio::AudioHost> audio)
    : QObject(parent), programFolder_(std::move(programFolder)),
      audio_(audio ? std::move(audio) : std::make_shared<audio::AudioHost>())
{
}

InstalledGames& Forms::games()
{
    if (!games_) {
        games_ = new InstalledGames(programFolder_, [this] { return openedRecord(); }, this);
        new UpdateNotifications(*games_, games_);
    }
    return *games_;
}

Forms::~Forms()
{
    for (auto& [type, form] : forms_)
        delete form;
}

SelectionList& Forms::selections(const QString& review, int count, bool compareFormats)
{
    std::unique_ptr<SelectionList>& list = selections_[review];
    if (!list) {
        list = std::make_unique<SelectionList>(count);
        if (compareFormats)
            FormatChecker::attachTo(*list);
    }
    return *list;
}

void Forms::discardSelections(const QString& review) { selections_.erase(review); }

void Forms::adopt(std::type_index type, Form* form)
{
    forms_[type] = form;
    form->formLoad();
}

void Forms::showModeless(Form& form)
{
    if (ended_)
        return;
    if (form.isVisible() && form.isModal())
        return;
    form.setWindowModality(Qt::NonModal);
    form.show();
    form.raise();
    form.activateWindow();
}

void Forms::showModal(Form& form)
{
    if (ended_)
        return;
    form.setWindowModality(Qt::ApplicationModal);
    QPointer<Form> guard(&form);
    form.exec();
    if (guard && !guard->isVisible())
        guard->setWindowModality(Qt::NonModal);
}

void Forms::hide(Form& form) { form.hide(); }

QStringList Forms::registeredNames() const
{
    QStringList names;
    for (const auto& [name, factory] : factories_)
        names << name;
    return names;
}

bool Forms::isLoaded(const QString& name) const
{
    return std::any_of(forms_.begin(), forms_.end(), [&name](const auto& f) { return f.second->objectName() == name; });
}

void Forms::openPack(const QString& path)
{
    if (ended_)
        return;
    Form& packs = load(windowName::FrmPacks);
    if (packs.isVisible()) {
        if (auto* opens = takes<OpensPack>(packs))
            opens->openPack(path);
        packs.raise();
        packs.activateWindow();
        return;
    }
    // Read once the window is on screen, so that the pack's reading shows in it.
    QTimer::singleShot(0, &packs, [&packs, path] {
        if (auto* opens = takes<OpensPack>(packs))
            opens->openPack(path);
    });
    showModal(packs);
}

Form& Forms::load(const QString& name)
{
    auto it = factories_.find(name);
    if (it == factories_.end())
        qFatal("no window named %s is registered", qPrintable(name));
    if (auto found = forms_.find(it->second.type); found != forms_.end())
        return *found->second;
    Form* form = it->second.make(*this);
    adopt(it->second.type, form);
    return *form;
}

Form& Forms::showModeless(const QString& name)
{
    Form& form = load(name);
    showModeless(form);
    return form;
}

void Forms::showModal(const QString& name) { showModal(load(name)); }

const WindowPicture& Forms::windowPicture(const QString& key) const
{
    static const WindowPicture none;
    return pictures_ ? pictures_(key) : none;
}

void Forms::unload(Form& form)
{
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](auto& entry) { return entry.second == &form; });
    if (it == forms_.end())
        return;
    form.formUnload();
    // The unload step may itself have unloaded the window or ended the program.
    it = std::find_if(forms_.begin(), forms_.end(), [&](auto& entry) { return entry.second == &form; });
    if (it == forms_.end())
        return;
    forms_.erase(it);
    form.hide();
    // The window may be in the middle of one of its own handlers: it is deleted once that
    // returns. Until then it carries no name, so nothing finds it as the live window.
    form.setObjectName(QString());
    form.deleteLater();

    if (!lingerCheckQueued_) {
        lingerCheckQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            lingerCheckQueued_ = false;
            endIfNothingVisible();
        });
    }
}

void Forms::endIfNothingVisible()
{
    if (ended_)
        return;
    for (auto& [type, form] : forms_)
        if (form->isVisible())
            return;
    // Nothing left on screen (the last window unloaded, or a main window closed from its
    // title bar with only hidden windows behind it): the program must not linger unseen.
    endProgram();
}

void Forms::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    auto forms = std::move(forms_);
    forms_.clear();
    for (auto& [type, form] : forms) {
        form->hide();
        form->setObjectName(QString());
        form->deleteLater();
    }
    emit programEnded();
    // Leaves the running event loops, main one included. Without one running (a test driving
    // the windows directly) there is nothing to leave, and asking would refuse every later loop.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace sonaplex
