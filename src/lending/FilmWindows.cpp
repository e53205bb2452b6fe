#include "lending/FilmWindows.h"

#include "platform/Colours.h"
#include "platform/Widgets.h"
#include "printing/ReportPane.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

FilmListWindow::FilmListWindow(const QString &caption, bool withNumber, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    if (withNumber) {
        m_numberLabel =
            ui::valueLabel(this, QStringLiteral("Label_Cislo"), QStringLiteral("Nastavená kazeta"));
        ui::setBold(m_numberLabel);
        layout->addWidget(m_numberLabel);
    }
    auto *grid = new QGridLayout;
    for (int n = 0; n < kCassetteSlots; ++n) {
        auto *film = new QLineEdit(this);
        film->setObjectName(QStringLiteral("Film%1").arg(n + 1));
        film->setReadOnly(true);
        film->setFocusPolicy(Qt::NoFocus);
        film->setMinimumWidth(film->fontMetrics().averageCharWidth() * 30);
        auto *genre = new QLineEdit(this);
        genre->setObjectName(QStringLiteral("Zanr%1").arg(n + 1));
        genre->setReadOnly(true);
        genre->setFocusPolicy(Qt::NoFocus);
        genre->setAccessibleName(QStringLiteral("Žánr %1").arg(n + 1));
        auto *label = ui::caption(this, QStringLiteral("Label_Film%1").arg(n + 1),
                                  QStringLiteral("%1.").arg(n + 1), film);
        film->setAccessibleName(QStringLiteral("Film %1").arg(n + 1));
        grid->addWidget(label, n, 0);
        grid->addWidget(film, n, 1);
        grid->addWidget(genre, n, 2);
        m_films[size_t(n)] = film;
        m_genres[size_t(n)] = genre;
    }
    layout->addLayout(grid);
    auto *maker = ui::caption(this, QStringLiteral("Label_Norvane"), QStringLiteral("Norvane"));
    maker->setStyleSheet(colours::colourRule(maker, QColor(Qt::gray)) +
                         QStringLiteral(" font-size: 7pt"));
    layout->addWidget(maker, 0, Qt::AlignRight);
    setFixedWidth(kFromRight - 10);
}

void FilmListWindow::showFilms(const QString &number,
                               const std::array<QString, kCassetteSlots> &films,
                               const std::array<QString, kCassetteSlots> &genres)
{
    m_number = number;
    if (m_numberLabel)
        m_numberLabel->setText(QStringLiteral("Nastavena kazeta: ") + number);
    for (size_t n = 0; n < size_t(kCassetteSlots); ++n) {
        m_films[n]->setText(films[n]);
        m_genres[n]->setText(genres[n]);
    }
}

QStringList FilmListWindow::films() const
{
    QStringList out;
    for (QLineEdit *e : m_films)
        out << e->text();
    return out;
}

QStringList FilmListWindow::genres() const
{
    QStringList out;
    for (QLineEdit *e : m_genres)
        out << e->text();
    return out;
}

void FilmListWindow::placeInCorner()
{
    ui::placeAtTopRight(this, kFromRight);
}

void FilmListWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_focusReturn) {
        // Later, so the activation that brought us here is over first.
        QTimer::singleShot(0, this, [this] {
            if (m_focusReturn) {
                m_focusReturn->activateWindow();
                m_focusReturn->setFocus();
            }
        });
    }
}

void FilmListWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    emit closed();
}

TFilmy3::TFilmy3(QWidget *parent)
    : FilmListWindow(QStringLiteral("Obsah nastavené kazety:"), true, parent)
{
    setObjectName(QStringLiteral("Filmy3"));
}

TFilmy::TFilmy(QWidget *parent)
    : FilmListWindow(QStringLiteral("Na nastavené kazetě jsou tyto filmy:"), false, parent)
{
    setObjectName(QStringLiteral("Filmy"));
    setToolTip(QStringLiteral("Seznam filmů z nastavené kazety ..."));
}

} // namespace velmora

namespace velmora {

TFilmy2::TFilmy2(bool printerAvailable, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Filmy2"));
    setWindowTitle(QStringLiteral("Nastavená osoba měla tyto filmy doma:"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    resize(kFromRight - 10, 420);
    m_pane = new ReportPane(this);
    m_pane->setAccessibleName(QStringLiteral("Filmy nastavené osoby"));
    m_print = ui::button(this, QStringLiteral("Tisk"), QStringLiteral("Vytisknout"));
    m_print->setEnabled(printerAvailable);
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    auto *maker = ui::caption(this, QStringLiteral("Label_Norvane"), QStringLiteral("Norvane"));
    maker->setStyleSheet(colours::colourRule(maker, QColor(Qt::gray)) +
                         QStringLiteral(" font-size: 7pt"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pane, 1);
    layout->addLayout(ui::row({maker}, {m_print, m_close}));
    connect(m_print, &QPushButton::clicked, m_pane, [this] { m_pane->print(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
}

void TFilmy2::placeInCorner()
{
    ui::placeAtTopRight(this, kFromRight);
}

void TFilmy2::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    emit closed();
}

} // namespace velmora
