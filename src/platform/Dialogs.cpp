#include "platform/Dialogs.h"

#include "platform/DbError.h"

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

namespace velmora::dialogs {
namespace {

Answerer *g_answerer = nullptr;
QPointer<QWidget> g_parent;

bool show(MessageKind kind, const QString &caption, const QString &text)
{
    if (g_answerer)
        return g_answerer->answer(kind, caption, text);
    switch (kind) {
    case MessageKind::Information:
        QMessageBox::information(g_parent, caption, text);
        return true;
    case MessageKind::Warning:
        QMessageBox::warning(g_parent, caption, text);
        return true;
    case MessageKind::Error:
        QMessageBox::critical(g_parent, caption, text);
        return true;
    case MessageKind::Question:
        return QMessageBox::question(g_parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    }
    return false;
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
    const auto *db = dynamic_cast<const DbError *>(&e);
    error(QStringLiteral("Chyba"), db ? db->message() : QString::fromLocal8Bit(e.what()));
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
    return screen.exec();
}

} // namespace velmora::dialogs
