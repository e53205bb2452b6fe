#pragma once

#include "search/FoundDetails.h"

namespace velmora {

class THledej_film;

// The details window TSeznam of the film search: the found cassettes in a
// tree, marked when they are away from home, and the films of the chosen
// one.
class TSeznam : public FoundDetails
{
    Q_OBJECT
public:
    explicit TSeznam(THledej_film &search, QWidget *parent = nullptr);

protected:
    QString countText() const override;
    const FoundList &found() const override;
    std::vector<bool> lentStates() const override;
    void showRoot() override;
    void showItem(const QString &number, const QString &nodeText) override;

private:
    THledej_film &m_search;
};

} // namespace velmora
