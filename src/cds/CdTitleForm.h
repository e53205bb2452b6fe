#pragma once

#include "catalogue/TrackWork.h"
#include "musicbrainz/TrackFill.h"
#include "storage/CdRecords.h"
#include "system/CdDrive.h"

#include <QSet>
#include <QStringList>
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QTabBar;
class QTableView;

namespace velmora {

struct CdReading;

class DateBox;
class Session;
class TKolik_CDs;
class TZapis_Delku;
class TZapis_Styl;
class TrackDelegate;
class TrackModel;

// The title data, the disc tabs and the track grid that the new-title and
// the edit-title screens share, with the grid's actions and its three
// dialogs. The tracks live in a work table until the screen saves them.
class CdTitleForm : public QWidget
{
    Q_OBJECT
public:
    enum class Kind
    {
        New,  // a title being entered
        Edit, // a stored title being corrected
    };

    CdTitleForm(Kind kind, Session &session, QWidget *parent = nullptr);
    ~CdTitleForm() override;

    Kind kind() const { return m_kind; }
    TrackWork &work() { return m_work; }
    TrackModel *model() const { return m_model; }

    QComboBox *numberList() const { return m_number; }
    QComboBox *sizeList() const { return m_size; }
    QComboBox *styleList() const { return m_style; }
    QComboBox *discCountList() const { return m_discCount; }
    QComboBox *formatList() const { return m_format; }
    QLineEdit *titleBox() const { return m_title; }
    QLineEdit *artistBox() const { return m_artist; }
    QLineEdit *noteBox() const { return m_note; }
    DateBox *dateBox() const { return m_date; }
    QCheckBox *lockTime() const { return m_lockTime; }
    QCheckBox *allOneArtist() const { return m_allOne; }
    QLabel *artistState() const { return m_s1; }
    QLabel *styleState() const { return m_s2; }
    QLabel *discTotal() const { return m_total; }
    QLabel *trackCount() const { return m_trackCount; }
    QTabBar *tabs() const { return m_tabs; }
    QTableView *grid() const { return m_grid; }
    QMenu *gridMenu() const { return m_menu; }
    QHBoxLayout *buttonRow() const { return m_buttons; }
    TKolik_CDs *countDialog() const { return m_countDialog; }
    TZapis_Delku *lengthDialog() const { return m_lengthDialog; }
    TZapis_Styl *styleDialog() const { return m_styleDialog; }

    // The format list from Users_c1.nrv and the style lists from
    // Users_c2.nrv; failures are shown.
    void fillLists();
    // An empty title: one disc "CD 1" with the track "Stopa 1".
    void startNew();
    // A stored title with its tracks, showing the disc given (1..) or the
    // first.
    void load(const CdTitle &title, const std::vector<CdTrack> &tracks, int disc = 1);

    // The title and the tracks as the boxes and the work table hold them.
    CdTitle content() const;
    std::vector<CdTrack> tracksToSave() const;
    // Tells the user about a length that cannot be saved; false then.
    bool checkLengths();

    int discCount() const;   // the number of tabs
    int currentDisc() const; // 1..
    QString currentLabel() const;
    void selectDisc(int disc);

    // The grid's actions, as the pop-up menu runs them.
    void trackCountAction();
    void insertTrack();
    void deleteTrack();
    void insertDisc();
    void deleteDisc();
    void discCountChosen(int d);
    void applyArtist();
    void applyStyle();
    // What entering a grid column does (the length and style dialogs).
    void enterColumn(int row, int column);
    // The grid's pop-up menu at the current cell, as Shift+F10 and the menu
    // key open it.
    void openGridMenu();
    // The edit screen's "Dohledat v MusicBrainz": the disc of a drive or an
    // image looked up; typed texts are replaced only when the user agrees.
    void lookUpAction();

signals:
    // Something the edit screen counts as a change was done.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void layOut();
    void connectAll();
    void setTabs(int discs);
    void showDisc();
    void refreshGrid();
    void showCounts();
    void setMenuCaptions();
    QString titleStyle() const;    // empty for "Nezvoleno ..."
    bool titleStyleChosen() const; // a style, not "Nezvoleno ...", is chosen
    QString defaultArtist() const; // the artist box text when the box is on
    void changed();
    static QString badLengthText(int number, const QString &label, const QString &length);
    // Tells of a length refused in the grid and reopens its cell with it.
    void lengthRefused(int row, int work, const QString &typed);
    // The disc read looked up in MusicBrainz and its medium put into the
    // disc shown, with the lengths the disc itself gave; true when
    // something was filled in.
    bool lookUpDisc(const CdReading &reading, bool keepTyped);
    // The texts it put into the rows join put.
    bool fillDisc(const QString &label, const musicbrainz::FilledDisc &filled, int tracks,
                  bool keepTyped, QSet<QString> &put);
    bool offerOtherMedia(const musicbrainz::Release &release, const musicbrainz::Medium &read,
                         QStringList &approximated);
    // Only tracks the program named ("Stopa N"), or none.
    bool discEmpty(const QString &label) const;

    Kind m_kind;
    Session &m_session;
    TrackWork m_work;
    TrackModel *m_model = nullptr;
    TrackDelegate *m_delegate = nullptr;
    QStringList m_styles; // Users_c2.nrv in table order
    bool m_quiet = false;
    bool m_refusedLength = false; // told once the cell is left

    QComboBox *m_number = nullptr;
    QComboBox *m_size = nullptr;
    QComboBox *m_style = nullptr;
    QComboBox *m_discCount = nullptr;
    QComboBox *m_format = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_artist = nullptr;
    QLineEdit *m_note = nullptr;
    DateBox *m_date = nullptr;
    QCheckBox *m_lockTime = nullptr;
    QCheckBox *m_allOne = nullptr;
    QLabel *m_s1 = nullptr;
    QLabel *m_s2 = nullptr;
    QLabel *m_totalCaption = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_countCaption = nullptr;
    QLabel *m_trackCount = nullptr;
    QTabBar *m_tabs = nullptr;
    QTableView *m_grid = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_countAction = nullptr;
    QAction *m_insertTrack = nullptr;
    QAction *m_deleteTrack = nullptr;
    QAction *m_insertDisc = nullptr;
    QAction *m_deleteDisc = nullptr;
    QHBoxLayout *m_buttons = nullptr;
    TKolik_CDs *m_countDialog = nullptr;
    TZapis_Delku *m_lengthDialog = nullptr;
    TZapis_Styl *m_styleDialog = nullptr;
    // A stored date the box cannot show is saved back as it was, unless the
    // user changed the box.
    QString m_storedDate;
    bool m_dateTouched = false;
};

} // namespace velmora
