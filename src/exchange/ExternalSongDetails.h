#pragma once

#include "exchange/ExternalFilmDetails.h"

namespace velmora::exchange {

class THledej_Ext_Data_CD;

// The details window TSeznam_Externi_CD of the external song search: the
// owners whose catalogues hold found tracks, and the found tracks of the
// chosen owner.
class TSeznam_Externi_CD : public ExternalDetails
{
    Q_OBJECT
public:
    explicit TSeznam_Externi_CD(THledej_Ext_Data_CD &search, QWidget *parent = nullptr);

protected:
    void showItem(const QString &owner, const QString &nodeText) override;

private:
    THledej_Ext_Data_CD &m_search;
};

} // namespace velmora::exchange
