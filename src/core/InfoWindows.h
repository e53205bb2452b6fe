#pragma once

// The information windows: TI_o_prg (about), TNov (news), TInfo_System_OS (system
// detection) and TTextove_okno (a text file shown read-only).

#include "platform/MachineInfo.h"

#include <QDialog>
#include <QLabel>

class QPlainTextEdit;
class QPushButton;

namespace velmora {

// A label that acts like a link: a click, or Enter or Space when it has the
// focus, emits clicked().
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_pressed = false;
};

// About window: program version, the version record of the executable and
// the machine's memory, with the links to the maker's pages.
class TI_o_prg : public QDialog
{
    Q_OBJECT
public:
    explicit TI_o_prg(QWidget *parent = nullptr);

    // Writes a memory status into the RAM fields. Showing the window does
    // this with a fresh reading.
    void showMemory(const machine::MemoryStatus &status);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void OdkazClick();
    void KonferenceClick();
    static void openPage(const QString &url);

    QLabel *m_version = nullptr;
    QLabel *m_comment = nullptr;
    QLabel *m_fileVersion = nullptr;
    QLabel *m_countryCode = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_executable = nullptr;
    QLabel *m_totalPhysical = nullptr;
    QLabel *m_cpus = nullptr;
    QLabel *m_swapSize = nullptr;
    QLabel *m_freeRam = nullptr;
    QLabel *m_swapUsage = nullptr;
};

// News window, shown once after an upgrade.
class TNov : public QDialog
{
    Q_OBJECT
public:
    explicit TNov(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    QLabel *m_product = nullptr;
    QLabel *m_subtitle1 = nullptr;
    QLabel *m_subtitle2 = nullptr;
    QLabel *m_versionCaption = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_dateCaption = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_text1 = nullptr;
    QLabel *m_text2 = nullptr;
};

// System detection window, shown at the first start: which system the
// print processing was set up for.
class TInfo_System_OS : public QDialog
{
    Q_OBJECT
public:
    explicit TInfo_System_OS(QWidget *parent = nullptr);
    explicit TInfo_System_OS(const QString &systemCode, QWidget *parent = nullptr);

    void setSystemCode(const QString &code);
    QString systemCode() const { return m_code; }

    // The name shown for a stored system code.
    static QString systemName(const QString &code);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    QString m_code;
    QLabel *m_system = nullptr;
};

// The program's own window for a text file (the notes, the news file) when
// the desktop has no program for it: the text read only, in code page 1250
// as the program writes it. Only a regular file is read, and only its
// beginning when it is very large.
class TTextove_okno : public QDialog
{
    Q_OBJECT
public:
    explicit TTextove_okno(const QString &path, QWidget *parent = nullptr);

    static constexpr qint64 kMaxBytes = 1024 * 1024;

    // Why the file cannot be shown; empty when it can.
    static QString whyNot(const QString &path);
    QPlainTextEdit *text() const { return m_text; }

private:
    QPlainTextEdit *m_text = nullptr;
};

// Opens a text file with the desktop's program for it, or else in the
// program's own window; tells the user when neither can show it.
void openTextFile(const QString &path, QWidget *parent);

} // namespace velmora
