#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

namespace velmora::test {

// An X server of the test's own (Xvfb on a free display) and the names of
// the windows on it, as the window manager reads them.
class VirtualDisplay
{
public:
    static bool available()
    {
        return !QStandardPaths::findExecutable("Xvfb").isEmpty() &&
               !QStandardPaths::findExecutable("xwininfo").isEmpty();
    }

    explicit VirtualDisplay(int patienceMs) : m_patience(patienceMs)
    {
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!m_server.waitForStarted(m_patience))
            return;
        // Xvfb picks a free display and writes its number when it is ready.
        QByteArray number;
        const QDeadlineTimer deadline(m_patience);
        while (!number.contains('\n') && !deadline.hasExpired() && m_server.waitForReadyRead(1000))
            number += m_server.readAllStandardOutput();
        if (number.contains('\n'))
            m_display = ":" + QString::fromLatin1(number.trimmed());
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(m_patience);
    }

    // Empty when the server did not come up.
    QString display() const { return m_display; }

    QStringList windowNames() const
    {
        QProcess xwininfo;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("DISPLAY", m_display);
        xwininfo.setProcessEnvironment(e);
        xwininfo.start("xwininfo", {"-root", "-tree"});
        xwininfo.waitForFinished(m_patience);
        QStringList names;
        static const QRegularExpression line(R"re(^\s*0x[0-9a-f]+ "(.*)": )re");
        for (const QString &l : QString::fromUtf8(xwininfo.readAllStandardOutput()).split('\n'))
            if (const auto m = line.match(l); m.hasMatch())
                names << m.captured(1);
        return names;
    }

private:
    int m_patience;
    QProcess m_server;
    QString m_display;
};

} // namespace velmora::test
