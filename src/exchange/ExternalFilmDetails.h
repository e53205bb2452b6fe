#pragma once

#include "search/FoundDetails.h"

namespace velmora::exchange {

class THledej_Ext_Data;

// The details window of the external film search: the owners whose
// catalogues hold found films, and the found films of the chosen owner.
class TSeznam_Externi : public FoundDetails
{
    Q_OBJECT
public:
    explicit TSeznam_Externi(THledej_Ext_Data &search, QWidget *parent = nullptr);

protected:
    QString countText() const override;
    const FoundList &found() const override;
    std::vector<bool> lentStates() const override;
    void showRoot() override;
    void showItem(const QString &owner, const QString &nodeText) override;

private:
    THledej_Ext_Data &m_search;
};

// The texts the two external details windows share; the root differs.
FoundDetails::Texts externalDetailsTexts(const QString &objectName, const QString &root);

} // namespace velmora::exchange
