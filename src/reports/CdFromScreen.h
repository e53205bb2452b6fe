#pragma once

// The CD list from a chosen title, TTisk_04, and its chooser TVyber_TiskCD.

#include "reports/CdListScreen.h"
#include "reports/StartChooser.h"

namespace velmora {

class Session;

// The list of the titles from a chosen one to the last. Every build reads
// cd02.dbf afresh and closes it again.
class TTisk_04 : public CdTitleListScreen
{
    Q_OBJECT
public:
    TTisk_04(Session &session, const QString &number, QWidget *parent = nullptr);

    QString number() const { return m_number; }

protected:
    void FormShow() override;
    void build() override;
    void changeEvent(QEvent *event) override;

private:
    QString m_number;
};

// Chooses the title the list starts at: the numbers of every title, none
// chosen until the user picks one.
class TVyber_TiskCD : public StartChooser
{
    Q_OBJECT
public:
    explicit TVyber_TiskCD(Session &session, QWidget *parent = nullptr);

protected:
    QStringList offered() override;
    void showListFrom(const QString &number) override;
};

} // namespace velmora
