#pragma once

// The CD lists TTisk_CD_Seznamu.

#include "listing/CdLists.h"
#include "printing/ReportScreen.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace velmora {

// What the two lists of CD titles share: the four option boxes under
// "Další informace do tisku:" (a click rebuilds the list) and the writing
// of the titles under the progress window.
class CdTitleListScreen : public ReportScreen
{
    Q_OBJECT
public:
    // CheckBox1 to CheckBox4.
    QCheckBox *option(int n) const { return m_options.at(size_t(n - 1)); }
    QLabel *optionsCaption() const { return m_optionsCaption; }
    CdListOptions options() const;

protected:
    CdTitleListScreen(Session &session, QWidget *parent);

    virtual void build() = 0;
    void clearOptions();
    // Disabled, the boxes keep their ticks and their caption turns gray.
    void setOptionsAvailable(bool available);
    // The titles at these records of cd01.dbf, with the tracks of cd02.dbf
    // (open), under the progress window.
    void writeTitles(CdListKind kind, const std::vector<int> &records);

private:
    std::array<QCheckBox *, 4> m_options{};
    QLabel *m_optionsCaption = nullptr;
};

// The whole CD catalogue: every title, or the lent titles (ComboBox1). The
// screen keeps cd02.dbf open while it is shown.
class TTisk_CD_Seznamu : public CdTitleListScreen
{
    Q_OBJECT
public:
    explicit TTisk_CD_Seznamu(Session &session, QWidget *parent = nullptr);
    ~TTisk_CD_Seznamu() override;

    QComboBox *choice() const { return m_choice; }
    void done(int result) override;

protected:
    void FormShow() override;
    void build() override;

private:
    void buildAll();
    void buildLent();
    void closeTracks();

    QComboBox *m_choice = nullptr;
};

} // namespace velmora
