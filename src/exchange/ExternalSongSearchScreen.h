#pragma once

#include "exchange/ExternalSearchScreen.h"

namespace velmora::exchange {

// The song search over every imported CD catalogue: finds tracks by a
// piece of their name, narrowed by style, and tells whose catalogue holds
// them.
class THledej_Ext_Data_CD : public ExternalSearchScreen
{
    Q_OBJECT
public:
    explicit THledej_Ext_Data_CD(Session &session, QWidget *parent = nullptr);

    const ExternalSongs &songs() const { return m_songs; }
    const ExternalSongCriteria &criteria() const { return m_criteria; }
    void setCriteria(const ExternalSongCriteria &criteria) { m_criteria = criteria; }

protected:
    QStringList styles() override;
    const ExternalTotals &build() override;
    ExternalSearchResult run(const QString &text, const QString &style, const QString &speed,
                             bool caseSensitive) override;
    std::function<QString(int)> lineAt(const std::vector<int> &found) const override;
    SearchPaneStyle paneStyle() const override;
    void execDetails() override;

private:
    ExternalSongs m_songs;
    ExternalSongCriteria m_criteria;
};

} // namespace velmora::exchange
