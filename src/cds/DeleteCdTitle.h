#pragma once

// The CD title deletion screen TZrusit_CD.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class CdTitleDisplay;
class Session;

// Shows the CD titles as the show screen does and removes the one shown,
// with its tracks on every disc, after a question. A lent title cannot be
// deleted. Its past loans stay in the archive.
class TZrusit_CD : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TZrusit_CD(Session &session, QWidget *parent = nullptr);

    CdTitleDisplay *display() const { return m_display; }
    QPushButton *deleteButton() const { return m_delete; }

    static inline const QString kQuestion =
        QStringLiteral("POZOR: Opravdu chcete natrvalo zrušit nastavený titul hudebního CD ?");
    static inline const QString kQuestionCaption = QStringLiteral("Zrušení z databáze:");
    static inline const QString kCancelled =
        QStringLiteral("Zrušení nastaveného hudebního CD titulu bylo stornováno uživatelem.");
    static inline const QString kEmpty =
        QStringLiteral("V hlavní databázi CD titulů nejsou žádná data, zavírám prohlížení ...");

    void ZrusitClick();

private:
    void FormShow() override;
    void FormClose() override;
    void updateButton();

    Session &m_session;
    CdTitleDisplay *m_display = nullptr;
    QPushButton *m_delete = nullptr;
};

} // namespace velmora
