#include "exchange/ExportScreen.h"

#include "exchange/NewDirDialog.h"
#include "exchange/OwnerNameDialog.h"
#include "platform/Dialogs.h"
#include "platform/DirectoryChooser.h"
#include "platform/Widgets.h"
#include "storage/Paths.h"
#include "transfer/Exporting.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

ExportScreen::ExportScreen(const Design &design, QWidget *parent)
    : ScreenDialog(parent), m_design(design), m_catalogue(design.catalogue),
      m_newDir(design.newDirDialog())
{
    setObjectName(QString::fromUtf8(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));
    m_newDir->setParent(this, m_newDir->windowFlags());
    auto *layout = new QVBoxLayout(this);

    auto *where = new QGroupBox(QStringLiteral("Kam mám exportovat moje data?"), this);
    auto *whereLayout = new QVBoxLayout(where);
    m_places = new PlaceBox(where, QStringLiteral("DriveComboBox1"));
    whereLayout->addWidget(m_places);
    auto *setTo = ui::caption(where, QStringLiteral("Label2"), QStringLiteral("Nastaveno na:"));
    m_info = ui::valueLabel(where, QStringLiteral("info"), setTo);
    auto *setRow = new QHBoxLayout;
    setRow->addWidget(setTo);
    setRow->addWidget(m_info, 1);
    whereLayout->addLayout(setRow);
    m_dirs = new DirectoryList(where, QStringLiteral("DirectoryListBox1"));
    whereLayout->addWidget(m_dirs, 1);
    auto *create = ui::button(where, QStringLiteral("Novy_adresar"),
                              QStringLiteral("Vytvořit nový podadresář"));
    whereLayout->addWidget(create, 0, Qt::AlignLeft);
    layout->addWidget(where, 1);

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Final_Status"));
    m_gauge->setMaximum(exchange::kind(m_catalogue).gaugeMaximum * exchange::kGaugeSteps);
    layout->addWidget(ui::caption(this, QStringLiteral("Label3"),
                                  QStringLiteral("Celkový stav exportu:"), m_gauge));
    layout->addWidget(m_gauge);

    auto *about = new QGroupBox(QStringLiteral("Informace k exportu databází:"), this);
    auto *aboutLayout = new QVBoxLayout(about);
    for (const QString &t :
         {QString::fromUtf8(design.about),
          QStringLiteral("Program nemá limitovaný počet externích databází a je tedy na "
                         "Vás, kolik seznamů budete mít ...")}) {
        auto *l = new QLabel(t, about);
        l->setWordWrap(true);
        aboutLayout->addWidget(l);
    }
    layout->addWidget(about);

    m_export = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Exportuj data"));
    m_export->setDefault(true);
    m_close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    layout->addLayout(ui::row({m_export}, {m_close}));

    connect(m_places, &PlaceBox::placeChosen, m_dirs, &DirectoryList::setPath);
    connect(m_places, &PlaceBox::placeMissing, this, [this](const QString &name) {
        dialogs::information(QStringLiteral("Informace:"),
                             QStringLiteral("Místo \"%1\" už není k dispozici, médium bylo "
                                            "nejspíš odpojeno. Zůstává nastaveno: %2")
                                 .arg(name, QDir::toNativeSeparators(m_dirs->path())));
    });
    connect(m_dirs, &DirectoryList::pathChanged, this, &ExportScreen::showPath);
    connect(create, &QPushButton::clicked, this, &ExportScreen::newDirectory);
    connect(m_export, &QPushButton::clicked, this, &ExportScreen::exportData);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 620);
}

void ExportScreen::FormShow()
{
    const QString externi = QDir(Paths::externiDir()).absolutePath();
    m_places->refresh(Paths::dataDir(), externi);
    if (!m_dirs->setPath(externi))
        m_dirs->setPath(Paths::dataDir());
    showPath(m_dirs->path());
    m_gauge->setValue(0);
}

void ExportScreen::showPath(const QString &path)
{
    m_info->setText(QDir::toNativeSeparators(path));
    m_places->follow(path);
}

void ExportScreen::newDirectory()
{
    const QString path = m_dirs->path();
    m_newDir->prepare(QDir::toNativeSeparators(path));
    if (dialogs::exec(*m_newDir) != QDialog::Accepted || m_newDir->name().isEmpty())
        return;
    const QString made = QDir(path).filePath(m_newDir->name());
    if (!QDir(made).exists() && !QDir().mkdir(made)) {
        dialogs::error(
            QStringLiteral("Chyba"),
            QStringLiteral("Adresář \"%1\" nelze vytvořit.").arg(QDir::toNativeSeparators(made)));
        return;
    }
    m_dirs->setPath(made);
}

void ExportScreen::exportData()
{
    const QString owner = exchange::ownerNameAsked(this);
    if (owner.isEmpty())
        return;
    m_export->setEnabled(false);
    m_close->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_gauge->setValue(0);
    const QString problem = exchange::exportCatalogue(
        m_catalogue, m_dirs->path(), owner, QDateTime::currentDateTime(), [this](double files) {
            const int value = int(files * exchange::kGaugeSteps);
            if (value != m_gauge->value()) {
                m_gauge->setValue(value);
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        });
    QApplication::restoreOverrideCursor();
    m_export->setEnabled(true);
    m_close->setEnabled(true);
    if (!problem.isEmpty()) {
        m_gauge->setValue(0);
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Export se nezdařil.\r\n\r\n") + problem);
        return;
    }
    dialogs::information(
        QStringLiteral("Informace:"),
        QString::fromUtf8(m_design.done) +
            QStringLiteral(" určených pro přenos \"Velmora\" byl ukončen v pořádku."));
    accept();
}

} // namespace velmora
