#pragma once

// The track-length dialogs TZapis_Delku (new title) and TZapis_Delku2 (edited title).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

// The track-length dialog: minutes and seconds of one track, two digits
// each, neither above 59.
class TZapis_Delku : public QDialog
{
    Q_OBJECT
public:
    explicit TZapis_Delku(QWidget *parent = nullptr);

    // The row's number and length text; minutes are selected and focused.
    void prepare(int track, const QString &length);
    // Minutes ":" seconds, each padded to two digits.
    QString length() const;

    QLineEdit *minutes() const { return m_min; }
    QLineEdit *seconds() const { return m_sek; }
    QLabel *trackNumber() const { return m_number; }
    void ZapsatClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    QLabel *m_number = nullptr;
    QLineEdit *m_min = nullptr;
    QLineEdit *m_sek = nullptr;
    QPushButton *m_confirm = nullptr;
};

class TZapis_Delku2 : public TZapis_Delku
{
    Q_OBJECT
public:
    explicit TZapis_Delku2(QWidget *parent = nullptr) : TZapis_Delku(parent)
    {
        setObjectName(QStringLiteral("Zapis_Delku2"));
    }
};

} // namespace velmora
