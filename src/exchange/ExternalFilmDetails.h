#pragma once

#include "search/FoundDetails.h"

namespace velmora::exchange {

class ExternalSearchScreen;
class THledej_Ext_Data;

// What the details windows of both external searches share (TSeznam_Externi
// below, TSeznam_Externi_CD): the owners whose catalogues hold what the last
// search found, in bold blue with no loan to tell, and a note while no
// owner is chosen.
class ExternalDetails : public FoundDetails
{
    Q_OBJECT
protected:
    ExternalDetails(ExternalSearchScreen &search, const QString &objectName, const QString &root,
                    const std::function<void(ReportWriter &)> &rootNote, QWidget *parent);

    QString countText() const override;
    const FoundList &found() const override;
    std::vector<bool> lentStates() const override;
    void showRoot() override { showNote(m_rootNote); }

private:
    const ExternalSearchScreen &m_search;
    const std::function<void(ReportWriter &)> m_rootNote;
};

// The details window of the external film search: the found films of the
// chosen owner.
class TSeznam_Externi : public ExternalDetails
{
    Q_OBJECT
public:
    explicit TSeznam_Externi(THledej_Ext_Data &search, QWidget *parent = nullptr);

protected:
    void showItem(const QString &owner, const QString &nodeText) override;

private:
    THledej_Ext_Data &m_search;
};

} // namespace velmora::exchange
