#include "testsupport.h"

#include "app/settingsfile.h"
#include "common/programfolder.h"
#include "forms.h"
#include "link/linkwindow.h"
#include "link/portmap.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace krv::test {

Rig::Rig(sim::Personality personality)
    : dialogs_(&RecordingDialogs::install()),
      board_(std::make_unique<sim::BoardSimulator>(personality)) {
    ProgramFolder::setPath(folder());
    PortMap::clear();
    if (board_->start())
        PortMap::pin(1, board_->devicePath());
    registerAllForms();
}

Rig::~Rig() {
    main_.reset();
    PortMap::clear();
}

void Rig::writeSettings(const QString& first, const QString& last, long loadWorkspace,
                        long autoLoad) {
    Settings settings;
    settings.commportMin = first;
    settings.commportMax = last;
    settings.loadWorkspace = loadWorkspace;
    settings.autoLoadConfiguration = autoLoad;
    settings.save(ProgramFolder::file(QStringLiteral("KRV.ini")));
}

ISMmain& Rig::start() {
    main_ = std::make_unique<ISMmain>();
    main_->MDIForm_Load();
    return *main_;
}

ISMmain& Rig::startShown() {
    main_ = std::make_unique<ISMmain>();
    main_->show();
    main_->MDIForm_Load();
    return *main_;
}

bool Rig::connectBoard() {
    if (!QFileInfo::exists(ProgramFolder::file(QStringLiteral("KRV.ini"))))
        writeSettings();
    start();
    // The scan takes a fraction of a second; a sanitizer build on a machine busy with other
    // builds takes many times that, and the wait ends as soon as the board is open.
    constexpr int scanPatienceMs = 20000;
    return waitUntil([this] { return boardReady(); }, scanPatienceMs);
}

bool Rig::reconnectBoard() {
    if (!waitUntil([this] { return !main_->boardPortOpen(); }) || !board_->start())
        return false;
    PortMap::pin(1, board_->devicePath());
    main_->Toolbar2_ButtonClick(QStringLiteral("Connect"));
    return waitUntil([this] { return boardReady(); });
}

bool Rig::boardReady() const {
    return main_->CommState == 0 && main_->loadboardListConnected() && main_->loadedLink() &&
           main_->loadedLink()->MSComm2->portOpen() && !main_->loadedLink()->isBusy();
}

QStringList Rig::messageTexts() const {
    QStringList texts;
    for (const auto& message : dialogs_->messages)
        texts.append(message.text);
    return texts;
}

void typeText(QWidget* box, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(box, &release);
    }
}

int linesStartingWith(const QStringList& lines, const QString& prefix) {
    return int(std::ranges::count_if(
        lines, [&prefix](const QString& line) { return line.startsWith(prefix); }));
}

void pressDisconnect(ISMmain& main) {
    QTest::mouseClick(main.Toolbar2->widgetForAction(main.DisconnectButton), Qt::LeftButton);
}

bool waitUntil(const std::function<bool()>& condition, int ms) {
    return QTest::qWaitFor(condition, ms);
}

void cycleForm(Rig& rig, const QString& name) {
    if (QWidget* window = rig.main().form(name))
        rig.main().showForm(window);
    QApplication::processEvents();
    rig.main().unloadForm(name);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    rig.board().clearReceived();
}

size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

bool heapCounted() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return true;
#endif
}

void withoutHeapCache(char* argv[]) {
    constexpr const char* setting = "glibc.malloc.tcache_count=0";
    const QByteArray tunables = qgetenv("GLIBC_TUNABLES");
    if (tunables.contains(setting))
        return;
    qputenv("GLIBC_TUNABLES", tunables.isEmpty() ? QByteArray(setting) : tunables + ':' + setting);
    execv("/proc/self/exe", argv);
    std::perror("cannot start the test again without the heap cache");
}

} // namespace krv::test
