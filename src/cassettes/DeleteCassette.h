#pragma once

// The cassette deletion screen TZrusit_vk.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class CassetteDisplay;
class Session;

// The delete screen: shows the cassettes as the browse screen does and
// removes the one shown from data.dbf for good, after a question. It reads
// no language file. The main window opens the table before and closes it
// after; the screen selects the index itself.
class TZrusit_vk : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TZrusit_vk(Session &session, QWidget *parent = nullptr);

    CassetteDisplay *display() const { return m_display; }

    static inline const QString kCaption =
        QStringLiteral("Zrušení existující videokazety natrvalo z databáze ....");
    static inline const QString kEmpty =
        QStringLiteral("V databázi již není žádná videokazeta, není co zrušit!");
    static inline const QString kQuestion =
        QStringLiteral("POZOR: Opravdu chcete natrvalo zrušit nastavenou videokazetu ?");
    static inline const QString kQuestionCaption = QStringLiteral("Zrušení Videokazety z dat:");
    static inline const QString kCancelled =
        QStringLiteral("Zrušení nastavené kazety bylo stornováno uživatelem.");
    static inline const QString kInfo = QStringLiteral("Informace:");

private:
    // Also run after every deletion.
    void FormShow() override;
    void FormClose() override;
    void ZrusitClick();

    Session &m_session;
    CassetteDisplay *m_display = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_delete = nullptr;
};

} // namespace velmora
