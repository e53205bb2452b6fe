#pragma once

#include <QString>
#include <stdexcept>

namespace velmora {

// An error of the table engine or of the settings store. The message is
// meant for the user and always names the file concerned.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// What the user is told of a failure: a DbError's own message, otherwise
// the exception's text in the local encoding.
inline QString errorText(const std::exception &e)
{
    const auto *db = dynamic_cast<const DbError *>(&e);
    return db ? db->message() : QString::fromLocal8Bit(e.what());
}

} // namespace velmora
