#pragma once

// The film windows of lending: TFilmy, TFilmy2 and TFilmy3.

#include "storage/Records.h"

#include <QDialog>
#include <QPointer>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

// A small window in the top right corner of the screen with the five films
// of a cassette and their genres. It never keeps the focus: activating it
// hands the focus back to the widget given, and closing it is reported so
// the screen can clear the box that showed it.
class FilmListWindow : public QDialog
{
    Q_OBJECT
public:
    // The left edge stands this far from the right edge of the screen.
    static constexpr int kFromRight = 380;

    void setFocusReturn(QWidget *widget) { m_focusReturn = widget; }
    // The films and genres of one cassette; empty texts for a missing one.
    void showFilms(const QString &number, const std::array<QString, kCassetteSlots> &films,
                   const std::array<QString, kCassetteSlots> &genres);

    QString number() const { return m_number; }
    QStringList films() const;
    QStringList genres() const;
    QLabel *numberLabel() const { return m_numberLabel; }

    // Places the window at its corner of the screen the parent is on.
    void placeInCorner();

signals:
    void closed();

protected:
    FilmListWindow(const QString &caption, bool withNumber, QWidget *parent);
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString m_number;
    QLabel *m_numberLabel = nullptr;
    std::array<QLineEdit *, kCassetteSlots> m_films{};
    std::array<QLineEdit *, kCassetteSlots> m_genres{};
    QPointer<QWidget> m_focusReturn;
};

// The content window of the cassettes away from home.
class TFilmy3 : public FilmListWindow
{
    Q_OBJECT
public:
    explicit TFilmy3(QWidget *parent = nullptr);
};

// The films of the cassette chosen in the history by cassette.
class TFilmy : public FilmListWindow
{
    Q_OBJECT
public:
    explicit TFilmy(QWidget *parent = nullptr);
};

} // namespace velmora

namespace velmora {

class ReportPane;

// The films a person has had at home, beside the history by person: a
// report pane that can be printed, in the top right corner of the screen.
class TFilmy2 : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kFromRight = 445;

    explicit TFilmy2(bool printerAvailable, QWidget *parent = nullptr);

    ReportPane *pane() const { return m_pane; }
    QPushButton *printButton() const { return m_print; }
    void placeInCorner();

signals:
    void closed();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    ReportPane *m_pane = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
