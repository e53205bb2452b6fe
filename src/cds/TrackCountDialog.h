#pragma once

// The track-count dialogs TKolik_CDs (new title) and TKolik_CDs2 (edited title).

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velmora {

// The track-count dialog: read the disc's tracks from an audio CD (or a
// disc image), or set their number by hand. Its frame has no close box;
// "&Zavřít" leaves it.
class TKolik_CDs : public QDialog
{
    Q_OBJECT
public:
    explicit TKolik_CDs(QWidget *parent = nullptr);

    // Before every showing: the tab of the disc and its track count (0 for
    // an empty disc).
    void prepare(const QString &tabCaption, int tracks);

    bool readFromCd() const;
    QString drive() const; // what follows "CD Rom " in the chosen entry
    int count() const;
    // The disc read is also looked up in MusicBrainz (the user's choice,
    // kept in the settings; off until the user ticks it).
    bool lookUp() const;

    QRadioButton *readChoice() const { return m_read; }
    QRadioButton *handChoice() const { return m_hand; }
    QComboBox *driveList() const { return m_drives; }
    QComboBox *countList() const { return m_count; }
    QPushButton *confirmButton() const { return m_confirm; }
    QCheckBox *lookUpBox() const { return m_lookUp; }

    void ZapsatClick();

private:
    void choiceChanged();

    QRadioButton *m_read = nullptr;
    QRadioButton *m_hand = nullptr;
    QComboBox *m_drives = nullptr;
    QComboBox *m_count = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_close = nullptr;
    QCheckBox *m_lookUp = nullptr;
};

// The drives of the machine, the drive named on the command line and the
// disc-image entry last, the preferred drive chosen.
void fillDriveList(QComboBox &list);
// With the disc-image entry chosen: asks for the image, which then joins
// the list and is chosen. False when the user cancels the file dialog.
bool chooseImage(QComboBox &list);

// The edit screen's twin, the same in look and behaviour.
class TKolik_CDs2 : public TKolik_CDs
{
    Q_OBJECT
public:
    explicit TKolik_CDs2(QWidget *parent = nullptr) : TKolik_CDs(parent)
    {
        setObjectName(QStringLiteral("Kolik_CDs2"));
    }
};

} // namespace velmora
