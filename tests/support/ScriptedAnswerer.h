#pragma once

#include "platform/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace velmora::test {

// Stands in for the user at every message box and modal screen: records
// what was shown and answers questions from a script (Yes when the script
// runs out). A screen is shown, handed to the action registered for its
// class (if any) and closed when the action leaves it open.
class ScriptedAnswerer : public Answerer
{
public:
    struct Shown
    {
        MessageKind kind;
        QString caption;
        QString text;
    };
    using ScreenAction = std::function<void(QDialog &)>;

    ScriptedAnswerer() { dialogs::setAnswerer(this); }
    ~ScriptedAnswerer() override { dialogs::setAnswerer(nullptr); }

    bool answer(MessageKind kind, const QString &caption, const QString &text) override
    {
        shown.append({kind, caption, text});
        events.append(text);
        if (kind != MessageKind::Question)
            return true;
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    int screen(QDialog &d) override
    {
        const QString name =
            QString::fromLatin1(d.metaObject()->className()).section(QLatin1String("::"), -1);
        screens.append(name);
        events.append(name);
        d.setResult(0);
        d.show();
        QApplication::processEvents();
        if (const auto it = onScreen.constFind(name); it != onScreen.constEnd())
            it.value()(d);
        if (d.isVisible())
            d.reject();
        QApplication::processEvents();
        return d.result();
    }

    QString openFileName(const QString &caption, const QString &, const QString &) override
    {
        events.append(caption);
        return openFiles.isEmpty() ? QString() : openFiles.takeFirst();
    }

    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        events.append(caption);
        saveFilters.append(filter);
        saveProposals.append(dir);
        return saveFiles.isEmpty() ? QString() : saveFiles.takeFirst();
    }

    // The print preview: the scripted user prints (or, with an answer of
    // false in previews, closes the preview).
    bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint) override
    {
        events.append(QStringLiteral("Náhled tisku"));
        ++previewsShown;
        if (!previews.isEmpty() && !previews.takeFirst())
            return false;
        paint(printer);
        return true;
    }
    QList<bool> previews;
    int previewsShown = 0;

    // Texts of the message boxes only.
    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }

    QList<bool> answers;
    QStringList openFiles;     // answers of the open-file dialogs, in order
    QStringList saveFiles;     // answers of the save-file dialogs, in order
    QStringList saveFilters;   // the filters the save-file dialogs were asked with
    QStringList saveProposals; // the folder or file they proposed
    QList<Shown> shown;
    QStringList screens;                   // class names of the screens shown
    QStringList events;                    // message texts and screen names in order
    QHash<QString, ScreenAction> onScreen; // by class name without namespace
};

} // namespace velmora::test
