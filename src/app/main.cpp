#include "core/MainWindow.h"
#include "core/Paths.h"
#include "core/Startup.h"
#include "platform/Dialogs.h"

#include <QApplication>
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

} // namespace

int main(int argc, char **argv)
{
    Application app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Norvane"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::Paths::setDataDir(
        velmora::Paths::resolveDataDir(QApplication::arguments(), QApplication::applicationDirPath()));

    int rc = 0;
    {
        velmora::TTitul window;
        velmora::dialogs::setParent(&window);
        velmora::prepareMainWindow(window);
        window.show();
        rc = app.exec();
    }
    velmora::Paths::cleanupTemp();
    return rc;
}
