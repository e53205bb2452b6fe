#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>

namespace velmora::test {

// Stands in for the user at every message box: records what was shown and
// answers questions from a script (Yes when the script runs out).
class ScriptedAnswerer : public Answerer
{
public:
    struct Shown
    {
        MessageKind kind;
        QString caption;
        QString text;
    };

    ScriptedAnswerer() { dialogs::setAnswerer(this); }
    ~ScriptedAnswerer() override { dialogs::setAnswerer(nullptr); }

    bool answer(MessageKind kind, const QString &caption, const QString &text) override
    {
        shown.append({kind, caption, text});
        if (kind != MessageKind::Question)
            return true;
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QList<bool> answers;
    QList<Shown> shown;
};

} // namespace velmora::test
