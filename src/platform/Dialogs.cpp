#include "platform/Dialogs.h"

#include "engine/DbError.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QTranslator>

namespace velmora::dialogs {
namespace {

Answerer *g_answerer = nullptr;
QPointer<QWidget> g_parent;

// Before the main window is shown a box or screen would sit over its hidden
// frame; it goes to the middle of the screen instead.
void centreWithoutOwner(QDialog &d)
{
    QWidget *owner = d.parentWidget();
    if (owner && owner->isVisible())
        return;
    d.adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        d.move(s->availableGeometry().center() - d.rect().center());
}

bool show(MessageKind kind, const QString &caption, const QString &text)
{
    if (g_answerer)
        return g_answerer->answer(kind, caption, text);
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (kind) {
    case MessageKind::Information:
        break;
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Question:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    }
    QMessageBox box(icon, caption, QString(), buttons, g_parent);
    // Texts carry names and titles from other people's catalogues: shown as
    // they are, never taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    centreWithoutOwner(box);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void setAnswerer(Answerer *answerer)
{
    g_answerer = answerer;
}

void setParent(QWidget *parent)
{
    g_parent = parent;
}

void information(const QString &caption, const QString &text)
{
    show(MessageKind::Information, caption, text);
}

void warning(const QString &caption, const QString &text)
{
    show(MessageKind::Warning, caption, text);
}

void error(const QString &caption, const QString &text)
{
    show(MessageKind::Error, caption, text);
}

bool question(const QString &caption, const QString &text)
{
    return show(MessageKind::Question, caption, text);
}

void showError(const std::exception &e)
{
    error(QStringLiteral("Chyba"), errorText(e));
}

bool installCzechTranslation()
{
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *t = new QTranslator(qApp);
    if (!t->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}

int exec(QDialog &screen)
{
    if (g_answerer)
        return g_answerer->screen(screen);
    centreWithoutOwner(screen);
    return screen.exec();
}

QString saveFileName(const QString &caption, const QString &dir, const QString &filter)
{
    if (g_answerer)
        return g_answerer->saveFileName(caption, dir, filter);
    QString chosen;
    QString file = QFileDialog::getSaveFileName(g_parent, caption, dir, filter, &chosen);
    // A name typed without a suffix gets the one of the type chosen: "seznam"
    // with "Text CSV (*.csv)" is seznam.csv.
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
        if (const QRegularExpressionMatch m = pattern.match(chosen); m.hasMatch())
            file += QLatin1Char('.') + m.captured(1);
    return file;
}

QString openFileName(const QString &caption, const QString &dir, const QString &filter)
{
    if (g_answerer)
        return g_answerer->openFileName(caption, dir, filter);
    return QFileDialog::getOpenFileName(g_parent, caption, dir, filter);
}

bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    if (g_answerer)
        return g_answerer->printPreview(printer, paint);
    QPrintPreviewDialog preview(&printer, g_parent);
    preview.setWindowTitle(QStringLiteral("Náhled tisku"));
    preview.resize(900, 700);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter *target) { paint(*target); });
    return preview.exec() == QDialog::Accepted;
}

} // namespace velmora::dialogs
