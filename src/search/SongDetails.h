#pragma once

#include "search/FoundDetails.h"

namespace velmora {

class THledej_Skladbu;

// The details window TSeznam3 of the song search: the found titles in a
// tree, red when they are away from home, and the found tracks of the
// chosen one.
class TSeznam3 : public FoundDetails
{
    Q_OBJECT
public:
    explicit TSeznam3(THledej_Skladbu &search, QWidget *parent = nullptr);

protected:
    QString countText() const override;
    const FoundList &found() const override;
    std::vector<bool> lentStates() const override;
    void showRoot() override;
    void showItem(const QString &number, const QString &nodeText) override;

private:
    THledej_Skladbu &m_search;
};

} // namespace velmora
