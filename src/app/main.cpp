#include "app/Screens.h"
#include "core/MainWindow.h"
#include "core/Startup.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "session/Settings.h"
#include "storage/Paths.h"
#include "system/CdDrive.h"
#include "system/InstanceLock.h"
#include "system/TerminationSignals.h"
#include "system/Version.h"
#include "terminal/CommandLine.h"
#include "terminal/TerminalRun.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <exception>

namespace {

// Qt on X11 and Wayland appends " — <application title>" to the title of
// every window it hands to the window manager; the captions of this
// program are exactly as its windows set them. An empty application title
// appends nothing, so it is set aside while a caption goes out again. A
// window without a caption keeps the application title as its name.
void keepCaptionExact(QWindow *window)
{
    const QString title = QGuiApplication::applicationDisplayName();
    if (!window || title.isEmpty() || window->title().isEmpty())
        return;
    QGuiApplication::setApplicationDisplayName(QString());
    window->setTitle(window->title());
    QGuiApplication::setApplicationDisplayName(title);
}

// A caption goes to the system when a window is shown or given a new
// caption, and when its native window is made: that may happen hidden (the
// owner of a dialog), and the caption follows only after the creation
// has finished, hence the queued call.
void afterEvent(QObject *receiver, const QEvent *event)
{
    switch (event->type()) {
    case QEvent::PlatformSurface:
        if (receiver->isWindowType() &&
            static_cast<const QPlatformSurfaceEvent *>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceCreated) {
            auto *window = static_cast<QWindow *>(receiver);
            QTimer::singleShot(0, window, [window] { keepCaptionExact(window); });
        }
        break;
    case QEvent::Show:
    case QEvent::WindowTitleChange:
        if (receiver->isWidgetType() && static_cast<QWidget *>(receiver)->isWindow())
            keepCaptionExact(static_cast<QWidget *>(receiver)->windowHandle());
        break;
    default:
        break;
    }
}

// No error may escape the event loop: it is shown and the program goes on.
class Application : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            const bool done = QApplication::notify(receiver, event);
            afterEvent(receiver, event);
            return done;
        } catch (const std::exception &e) {
            velmora::dialogs::showError(e);
        }
        return false;
    }
};

// After SIGTERM or SIGINT the program ends as after a confirmed close,
// without the question: the selected section is written as Last exit and
// every table is closed; the instance lock and the private temporary folder
// go when run() and main() return.
void endAfterSignal(velmora::TTitul &window)
{
    using namespace velmora;
    if (const TTitul::Section s = window.selectedSection(); s != TTitul::NoSection) {
        try {
            settings::writeLastExit(s);
        } catch (const std::exception &e) {
            // No box any more: the session that sent the signal is going.
            qWarning("%s", e.what());
        }
    }
    window.tables().closeAll();
}

// The data directory the command line names, as the parser read it (so
// "-data-dir" and a repeated option mean what they mean there), else the
// environment's or the default one.
QString dataDirOf(const velmora::terminal::CommandLine &line, const QString &executableDir)
{
    QStringList arguments{QStringLiteral("velmora")};
    if (!line.dataDir.isEmpty())
        arguments << QStringLiteral("--data-dir") << line.dataDir;
    return velmora::Paths::resolveDataDir(arguments, executableDir);
}

int run(Application &app, const velmora::terminal::CommandLine &line)
{
    using namespace velmora;
    // Before the lock is taken: from then on a signal must not kill the
    // program, whatever event loop (main or modal) is running.
    TerminationSignals termination;
    bool terminated = false;
    QObject::connect(&termination, &TerminationSignals::requested, &app, [&terminated] {
        terminated = true;
        QCoreApplication::exit(0); // leaves every running event loop
    });

    const QString dataDir = dataDirOf(line, QApplication::applicationDirPath());
    Paths::setDataDir(dataDir);
    QDir().mkpath(dataDir);
    // --cd-device PATH: the drive or disc image the track-count dialog offers first.
    if (!line.cdDevice.isEmpty())
        cd::setPreferredDevice(line.cdDevice);
    InstanceLock lock;
    if (!claimDataDirectory(lock, dataDir))
        return 1;

    // Declared after the lock: its tables are closed before the lock goes.
    TTitul window;
    QObject::connect(&termination, &TerminationSignals::requested, &window, &TTitul::endProgram);
    dialogs::setParent(&window);
    registerScreens(window);
    // A loop left by a signal does not run again, so every step that shows
    // a modal screen returns at once and the start only runs to its end.
    const auto finish = [&](int rc) {
        if (terminated)
            endAfterSignal(window);
        dialogs::setParent(nullptr);
        return rc;
    };
    if (!prepareMainWindow(window) || terminated)
        return finish(0);
    if (firstShowing(window, line.positional) == StartOutcome::End)
        return finish(0);
    if (window.ending() || terminated)
        return finish(0);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return finish(app.exec());
}

} // namespace

// The command line without a window: help, options not understood, and the
// spreadsheet exchange; none of them needs a window system.
int runWithoutWindow(int argc, char **argv, const velmora::terminal::CommandLine &line)
{
    using namespace velmora;
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    int rc = terminal::kSuccess;
    switch (line.mode) {
    case terminal::CommandLine::Mode::Help:
        out << terminal::usageText();
        break;
    case terminal::CommandLine::Mode::Error:
        err << line.error << "\n\n" << terminal::usageText();
        rc = terminal::kRefused;
        break;
    default:
        rc = terminal::runExchange(line, dataDirOf(line, QCoreApplication::applicationDirPath()),
                                   out, err);
        break;
    }
    out.flush();
    err.flush();
    Paths::cleanupTemp();
    return rc;
}

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const velmora::terminal::CommandLine line = velmora::terminal::parseCommandLine(arguments);
    if (line.mode != velmora::terminal::CommandLine::Mode::Window)
        return runWithoutWindow(argc, argv, line);

    Application app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Norvane"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // What window lists, task bars and untitled boxes show; a language file
    // may replace it when the main window takes its texts.
    QGuiApplication::setApplicationDisplayName(velmora::version::kApplicationTitle);
    velmora::dialogs::installCzechTranslation();
    // VELMORA_COLOURS=dark: Qt's Fusion style in dark colours, for a desktop
    // that offers no dark theme to Qt (and for the guide's dark pictures).
    if (qEnvironmentVariable("VELMORA_COLOURS") == QLatin1String("dark")) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(velmora::colours::darkPalette());
    }
    const int rc = run(app, line);
    velmora::Paths::cleanupTemp();
    return rc;
}
