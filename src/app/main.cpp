#include "app/Screens.h"
#include "core/MainWindow.h"
#include "core/Startup.h"
#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"
#include "storage/Paths.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <exception>

namespace {

// No error may escape the event loop: it is shown and the program goes on.
class Application : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            velmora::dialogs::showError(e);
        }
        return false;
    }
};

int run(Application &app)
{
    using namespace velmora;
    const QString dataDir =
        Paths::resolveDataDir(QApplication::arguments(), QApplication::applicationDirPath());
    Paths::setDataDir(dataDir);
    QDir().mkpath(dataDir);
    InstanceLock lock;
    if (!claimDataDirectory(lock, dataDir))
        return 1;

    TTitul window;
    dialogs::setParent(&window);
    registerScreens(window);
    if (!prepareMainWindow(window))
        return 0;
    if (firstShowing(window, Paths::positionalArguments(QApplication::arguments())) ==
        StartOutcome::End)
        return 0;
    if (window.ending())
        return 0;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    const int rc = app.exec();
    dialogs::setParent(nullptr);
    return rc;
}

} // namespace

int main(int argc, char **argv)
{
    Application app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Norvane"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::dialogs::installCzechTranslation();
    const int rc = run(app);
    velmora::Paths::cleanupTemp();
    return rc;
}
