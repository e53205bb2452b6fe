#pragma once

#include "listing/CassetteLists.h"

#include <QGroupBox>

class QCheckBox;

namespace velmora {

// "Chci vytisknout info:": the three check boxes of the cassette lists with
// information (dates and sources, film notes, cassette notes), shared by
// the own and the external report screens. Emits changed on every click.
class InfoChoiceBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit InfoChoiceBox(QWidget *parent);

    InfoChoice choice() const;
    QCheckBox *datesAndSources() const { return m_dates; }
    QCheckBox *filmNotes() const { return m_filmNotes; }
    QCheckBox *cassetteNotes() const { return m_cassetteNotes; }

signals:
    void changed();

private:
    QCheckBox *m_dates;
    QCheckBox *m_filmNotes;
    QCheckBox *m_cassetteNotes;
};

} // namespace velmora
