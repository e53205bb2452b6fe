#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace velmora {

enum class MessageKind
{
    Information,
    Warning,
    Error,
    Question
};

// Everything the user is told or asked goes through here. Tests install an
// answerer that records the texts and gives scripted answers.
class Answerer
{
public:
    virtual ~Answerer() = default;
    // Returns true for Yes (questions); ignored for the other kinds.
    virtual bool answer(MessageKind kind, const QString &caption, const QString &text) = 0;
    // A screen shown modally. The answerer acts on it as the user would and
    // returns its result; the screen must be closed when this returns.
    virtual int screen(QDialog &screen) = 0;
    // The name of a file to save to; empty when the user cancels.
    virtual QString saveFileName(const QString &caption, const QString &dir, const QString &filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(dir);
        Q_UNUSED(filter);
        return QString();
    }
    // The name of an existing file to open; empty when the user cancels.
    virtual QString openFileName(const QString &caption, const QString &dir, const QString &filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(dir);
        Q_UNUSED(filter);
        return QString();
    }
    // A print job shown before it goes to the printer. Returns whether the
    // user printed it; printing is paint on the printer. Unless told
    // otherwise, the user prints.
    virtual bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint)
    {
        paint(printer);
        return true;
    }
};

namespace dialogs {

void setAnswerer(Answerer *answerer); // nullptr: real message boxes
void setParent(QWidget *parent);

void information(const QString &caption, const QString &text);
void warning(const QString &caption, const QString &text);
void error(const QString &caption, const QString &text);
bool question(const QString &caption, const QString &text);
// The default error display: the message of an engine or settings error.
void showError(const std::exception &e);

// Loads Qt's own Czech texts, so standard buttons read "Ano", "Ne" etc.
// Returns false when the translation is not installed.
bool installCzechTranslation();

// Shows a screen modally and returns its result (QDialog::exec).
int exec(QDialog &screen);

// Asks for the name of a file to save to; empty when cancelled.
QString saveFileName(const QString &caption, const QString &dir, const QString &filter);
// Asks for an existing file to open; empty when cancelled.
QString openFileName(const QString &caption, const QString &dir, const QString &filter);

// Shows the pages that paint draws (Qt's print preview, paint called for
// each rendering) and prints them on the printer when the user asks.
// Returns whether they were printed; false when the preview was closed.
bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint);

} // namespace dialogs
} // namespace velmora
