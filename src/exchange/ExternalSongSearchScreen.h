#pragma once

#include "exchange/ExternalSearchScreen.h"

namespace velmora::exchange {

// The song search THledej_Ext_Data_CD over every imported CD catalogue:
// finds tracks by a piece of their name, narrowed by style, and tells whose
// catalogue holds them.
class THledej_Ext_Data_CD : public ExternalSearchScreen
{
    Q_OBJECT
public:
    explicit THledej_Ext_Data_CD(Session &session, QWidget *parent = nullptr);

    const ExternalSongs &songs() const { return m_songs; }
    const ExternalSongCriteria &criteria() const { return m_criteria; }
    void setCriteria(const ExternalSongCriteria &criteria) { m_criteria = criteria; }

public slots:
    void showDetails() override; // "Zobrazit detaily"

protected:
    QList<int> build() override;
    QList<int> run(const QString &text, const QString &style, const QString &speed,
                   bool caseSensitive) override;
    std::function<QString(int)> line() const override;

private:
    ExternalSongs m_songs;
    ExternalSongCriteria m_criteria;
};

} // namespace velmora::exchange
