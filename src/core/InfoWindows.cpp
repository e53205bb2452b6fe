#include "core/InfoWindows.h"

#include "engine/Codepage.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/Widgets.h"
#include "session/Language.h"
#include "system/Version.h"

#include <QConicalGradient>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QSysInfo>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {
namespace {

// Paragraph labels wrap at this width so that the windows keep a sensible
// shape instead of growing to the length of the longest sentence.
constexpr int kParagraphWidth = 440;

QLabel *paragraph(const QString &name, const QString &text, QWidget *parent)
{
    QLabel *l = ui::caption(parent, name, text);
    l->setWordWrap(true);
    l->setMinimumWidth(kParagraphWidth);
    return l;
}

// A value the user may want to copy (a version, a memory size).
QLabel *value(const QString &name, QLabel *caption, QWidget *parent)
{
    QLabel *l = ui::valueLabel(parent, name, caption);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// Built-in texts of the news window, kept when there is no language file.
const QString kNewsCaption =
    QStringLiteral("Informace o právě spuštěné nové verzi programu Norvane");
const QString kNewsSubtitle1 = QStringLiteral("Multi - Programová verze");
const QString kNewsSubtitle2 = QStringLiteral("32 - bitová verze");
const QString kNewsVersionCaption = QStringLiteral("Aktuální verze: ");
const QString kNewsDateCaption = QStringLiteral("Uvedena dne:");
const QString kNewsText1 =
    QStringLiteral("Nová verze sebou nese vždy nějaké změny a úpravy. Soupis "
                   "těchto změn najdete v menu \"Systém\" - Co je nového v "
                   "této verzi.");
const QString kNewsText2 =
    QStringLiteral("Toto okno je informativní a bude spuštěno vždy jen s novou verzí programu.");

// The page file in use and its share in per cent. With no page file at all
// both are 0 rather than a division by zero.
qint64 pageFileInUse(const machine::MemoryStatus &s)
{
    if (s.totalPageFile == 0)
        return 0;
    return qint64(s.totalPageFile) - qint64(s.availablePageFile);
}

qint64 pageFileUsage(const machine::MemoryStatus &s)
{
    if (s.totalPageFile == 0)
        return 0;
    // 100 - available / total * 100, truncated; in integers so that exact
    // shares do not come out one too low through rounding.
    const qint64 total = qint64(s.totalPageFile);
    return (100 * (total - qint64(s.availablePageFile))) / total;
}

// The picture of the news window: a disc turning under a light.
class AnimatedPicture : public QWidget
{
public:
    explicit AnimatedPicture(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Animate1"));
        setFixedSize(96, 96);
        m_timer.setInterval(60);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_angle = (m_angle + 6) % 360;
            update();
        });
    }

protected:
    void showEvent(QShowEvent *) override { m_timer.start(); }
    void hideEvent(QHideEvent *) override { m_timer.stop(); }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc = QRectF(rect()).adjusted(4, 4, -4, -4);
        const QPointF c = disc.center();
        QConicalGradient shine(c, m_angle);
        shine.setColorAt(0.0, QColor(235, 235, 245));
        shine.setColorAt(0.15, QColor(120, 170, 230));
        shine.setColorAt(0.35, QColor(200, 120, 210));
        shine.setColorAt(0.5, QColor(235, 235, 245));
        shine.setColorAt(0.65, QColor(140, 210, 160));
        shine.setColorAt(0.85, QColor(230, 200, 110));
        shine.setColorAt(1.0, QColor(235, 235, 245));
        p.setPen(QPen(QColor(110, 110, 120), 1.5));
        p.setBrush(shine);
        p.drawEllipse(disc);
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(c, disc.width() * 0.17, disc.height() * 0.17);
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(160, 160, 170), 1));
        p.drawEllipse(c, disc.width() * 0.07, disc.height() * 0.07);
    }

private:
    QTimer m_timer;
    int m_angle = 0;
};

QPushButton *closeButton(QDialog *d)
{
    QPushButton *b = ui::button(d, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    b->setDefault(true);
    QObject::connect(b, &QPushButton::clicked, d, &QDialog::accept);
    return b;
}

} // namespace

// ---------------------------------------------------------------------------

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// ---------------------------------------------------------------------------

TI_o_prg::TI_o_prg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("I_o_prg"));
    setWindowTitle(QStringLiteral("Informace o programu ..."));

    auto *icon = ui::caption(this, QStringLiteral("Image1"), QString());
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *link = new ClickableLabel(
        QStringLiteral("Klikni tady a vstup na stránku Norvane, může tam být nová verze:"), this);
    link->setObjectName(QStringLiteral("Odkaz"));
    link->setToolTip(QStringLiteral("Spustí IE a nastavenou stránku Norvane"));
    link->setWordWrap(true);
    link->setMinimumWidth(kParagraphWidth - 60);
    link->setStyleSheet(colours::colourRule(link, QColor(0x00, 0x00, 0xc0)) +
                        QStringLiteral(" text-decoration: underline;"));
    connect(link, &ClickableLabel::clicked, this, &TI_o_prg::OdkazClick);

    auto *versionCaption = ui::caption(this, QStringLiteral("Verze_popis"),
                                       QStringLiteral("Aktuální verze programu:"));
    m_version = value(QStringLiteral("Verze"), versionCaption, this);
    ui::setBold(m_version);

    auto *top = new QGridLayout;
    top->addWidget(icon, 0, 0, 2, 1);
    top->addWidget(link, 0, 1, 1, 2);
    top->addWidget(versionCaption, 1, 1);
    top->addWidget(m_version, 1, 2);
    top->setColumnStretch(2, 1);

    // The conference panel.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel_konference"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(ui::caption(
        panel, QStringLiteral("Konference_text1"),
        QStringLiteral("Pokud se zaregistrujete do konference na www, kde Vás odkáže odklepnutí")));
    panelLayout->addWidget(ui::caption(
        panel, QStringLiteral("Konference_text2"),
        QStringLiteral("tohoto tlačítka, bude Vám vždy oznámeno zveřejnění nové verze e-mailem.")));
    auto *conference =
        new QPushButton(QStringLiteral("Zaregistrovat se do konference na WWW"), panel);
    conference->setObjectName(QStringLiteral("Konference"));
    connect(conference, &QPushButton::clicked, this, &TI_o_prg::KonferenceClick);
    panelLayout->addWidget(conference, 0, Qt::AlignHCenter);

    // Program info.
    auto *program = new QGroupBox(QStringLiteral(" Program info "), this);
    program->setObjectName(QStringLiteral("GroupBox1"));
    auto *programLayout = new QGridLayout(program);
    const auto programRow = [&](int row, const QString &name, const QString &caption,
                                QLabel *&target) {
        QLabel *label = ui::caption(program, name + QStringLiteral("_popis"), caption);
        programLayout->addWidget(label, row, 0);
        target = value(name, label, program);
        target->setWordWrap(true);
        programLayout->addWidget(target, row, 1);
    };
    programRow(0, QStringLiteral("Komentar"), QStringLiteral("Komentář       :"), m_comment);
    programRow(1, QStringLiteral("Verze_exe"), QStringLiteral("Verze EXE     :"), m_fileVersion);
    programRow(2, QStringLiteral("Country_code"), QStringLiteral("Country code :"), m_countryCode);
    programRow(3, QStringLiteral("Popis_prog"), QStringLiteral("Popis prog.    :"), m_description);
    programRow(4, QStringLiteral("Spustitelny"), QStringLiteral("Spustitelný     :"), m_executable);
    programLayout->setColumnStretch(1, 1);

    // System info.
    auto *system = new QFrame(this);
    system->setObjectName(QStringLiteral("Panel_system"));
    system->setFrameShape(QFrame::StyledPanel);
    auto *systemLayout = new QGridLayout(system);
    QLabel *systemCaption =
        ui::caption(system, QStringLiteral("System_info"), QStringLiteral("System info:"));
    ui::setBold(systemCaption);
    systemLayout->addWidget(systemCaption, 0, 0, 1, 3);
    systemLayout->addWidget(ui::caption(system, QStringLiteral("Ram"), QStringLiteral("RAM:")), 1,
                            0);
    const auto systemRow = [&](int row, const QString &name, const QString &caption,
                               QLabel *&target) {
        QLabel *label = ui::caption(system, name + QStringLiteral("_popis"), caption);
        systemLayout->addWidget(label, row, 1);
        target = value(name, label, system);
        target->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        systemLayout->addWidget(target, row, 2);
    };
    systemRow(1, QStringLiteral("Total_phys"), QStringLiteral("Total physical    :"),
              m_totalPhysical);
    systemRow(2, QStringLiteral("Cpu"), QStringLiteral("CPU(s)              :"), m_cpus);
    systemRow(3, QStringLiteral("Swap_size"), QStringLiteral("Swap file size     :"), m_swapSize);
    systemRow(4, QStringLiteral("Free_ram"), QStringLiteral("Free RAM          :"), m_freeRam);
    systemRow(5, QStringLiteral("Usage_swap"), QStringLiteral("Usage swap  file :"), m_swapUsage);
    systemLayout->setColumnStretch(2, 1);

    // Bottom line.
    QLabel *maker = ui::caption(this, QStringLiteral("Vyrobce"), version::kMakerName);
    ui::setBold(maker);
    QPushButton *close = closeButton(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(panel);
    layout->addWidget(program);
    layout->addWidget(system);
    layout->addLayout(ui::row({maker}, {close}));
}

void TI_o_prg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TI_o_prg::FormShow()
{
    const machine::VersionRecord record = machine::versionRecord();
    m_comment->setText(record.comment);
    m_fileVersion->setText(record.fileVersion);
    m_countryCode->setText(record.countryCode);
    m_description->setText(record.fileDescription);
    m_executable->setText(record.executable);
    m_version->setText(version::kText + QStringLiteral("    (ze dne: ") + version::kDate +
                       QLatin1Char(')'));
    showMemory(machine::memoryStatus());
}

void TI_o_prg::showMemory(const machine::MemoryStatus &status)
{
    m_totalPhysical->setText(QString::number(status.totalPhysical));
    m_cpus->setText(QString::number(machine::processorCount()));
    m_swapSize->setText(QString::number(pageFileInUse(status)));
    m_freeRam->setText(QString::number(status.availablePhysical));
    m_swapUsage->setText(QString::number(pageFileUsage(status)));
}

void TI_o_prg::openPage(const QString &url)
{
    if (!shell::openUrl(url))
        dialogs::error(QStringLiteral("Chyba:"),
                       QStringLiteral("Není instalována Internetová služba !!! "));
}

void TI_o_prg::OdkazClick()
{
    openPage(version::kMakerHomePage);
}

void TI_o_prg::KonferenceClick()
{
    openPage(version::kMakerConferencePage);
}

// ---------------------------------------------------------------------------

TNov::TNov(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Nov"));
    setWindowTitle(kNewsCaption);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black); // on its fixed white, whatever the desktop
    setPalette(pal);
    setAutoFillBackground(true);

    auto *picture = new AnimatedPicture(this);

    m_product = ui::caption(this, QStringLiteral("Produkt"), version::kApplicationTitle);
    ui::setBold(m_product);
    if (QFont f = m_product->font(); f.pointSize() > 0) {
        f.setPointSize(f.pointSize() + 6);
        m_product->setFont(f);
    }
    m_subtitle1 = ui::caption(this, QStringLiteral("Podtitul1"), kNewsSubtitle1);
    m_subtitle2 = ui::caption(this, QStringLiteral("Podtitul2"), kNewsSubtitle2);

    m_versionCaption = ui::caption(this, QStringLiteral("Verze_popis"), kNewsVersionCaption);
    m_version = ui::valueLabel(this, QStringLiteral("Verze"), m_versionCaption);
    m_dateCaption = ui::caption(this, QStringLiteral("Datum_popis"), kNewsDateCaption);
    m_date = ui::valueLabel(this, QStringLiteral("Datum"), m_dateCaption);
    QLabel *authorCaption =
        ui::caption(this, QStringLiteral("Autor_popis"), QStringLiteral("Autor:"));
    QLabel *author = ui::caption(this, QStringLiteral("Autor"), version::kMakerName);
    for (QLabel *l : {m_version, m_date, author})
        ui::setBold(l);

    auto *facts = new QGridLayout;
    facts->addWidget(m_versionCaption, 0, 0);
    facts->addWidget(m_version, 0, 1);
    facts->addWidget(m_dateCaption, 1, 0);
    facts->addWidget(m_date, 1, 1);
    facts->addWidget(authorCaption, 2, 0);
    facts->addWidget(author, 2, 1);
    facts->setColumnStretch(1, 1);

    auto *heading = new QVBoxLayout;
    heading->addWidget(m_product);
    heading->addWidget(m_subtitle1);
    heading->addWidget(m_subtitle2);
    heading->addSpacing(8);
    heading->addLayout(facts);
    heading->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(heading, 1);

    m_text1 = paragraph(QStringLiteral("Text1"), kNewsText1, this);
    m_text2 = paragraph(QStringLiteral("Text2"), kNewsText2, this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(m_text1);
    layout->addWidget(m_text2);
}

void TNov::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TNov::FormShow()
{
    const QString central = QStringLiteral("Central");
    const bool file = lang::present();
    setWindowTitle(lang::caption(central, QStringLiteral("110"),
                                 QStringLiteral("Informace o spuštěné verzi programu"),
                                 kNewsCaption));
    m_product->setText(lang::caption(central, QStringLiteral("000"), version::kApplicationTitle));
    m_subtitle1->setText(lang::caption(central, QStringLiteral("103"),
                                       QStringLiteral("Multi - program"), kNewsSubtitle1));
    m_subtitle2->setText(lang::caption(central, QStringLiteral("104"), kNewsSubtitle2));
    m_versionCaption->setText(
        file ? lang::text(central, QStringLiteral("111"), QStringLiteral("Aktuální verze")) +
                   QLatin1Char(':')
             : kNewsVersionCaption);
    m_dateCaption->setText(
        file ? lang::text(central, QStringLiteral("112"), QStringLiteral("Uvedena dne")) +
                   QLatin1Char(':')
             : kNewsDateCaption);
    m_version->setAccessibleDescription(ui::spoken(m_versionCaption->text()));
    m_date->setAccessibleDescription(ui::spoken(m_dateCaption->text()));
    m_text1->setText(lang::caption(central, QStringLiteral("113"), kNewsText1));
    m_text2->setText(lang::caption(central, QStringLiteral("114"), kNewsText2));
    // The version is the program's own, whatever a language file says.
    m_version->setText(version::kText);
    m_date->setText(version::kDate);
}

// ---------------------------------------------------------------------------

TInfo_System_OS::TInfo_System_OS(QWidget *parent) : TInfo_System_OS(QString(), parent) {}

TInfo_System_OS::TInfo_System_OS(const QString &systemCode, QWidget *parent)
    : QDialog(parent), m_code(systemCode)
{
    setObjectName(QStringLiteral("Info_System_OS"));
    setWindowTitle(QStringLiteral("Detekce verze operačního systému:"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(paragraph(
        QStringLiteral("Odstavec1"),
        QStringLiteral("Všechny předchozí verze programu byly kompatibilní s Win95 (OSR2), Win98 "
                       "(SE), WinNT4.0. Pokud byl program spuštěn na Windows 2000, vyskytly se "
                       "chyby v zarovnávání textů při tiskových výstupech. Tato rozdílnost "
                       "neumožňovala plně využít program pod uvedeným systémem."),
        this));
    layout->addWidget(paragraph(
        QStringLiteral("Odstavec2"),
        QStringLiteral("Tato verze programu (upgrade) má v sobě integrovanou novou funkci, která "
                       "by měla zamezit rozdílnostem v tiskových sestavách na operačním systému "
                       "Windows 2000."),
        this));
    layout->addWidget(paragraph(
        QStringLiteral("Odstavec3"),
        QStringLiteral("Pokud bude na Vašem počítači detekována a nastavena jiná verze než ve "
                       "skutečnosti vlastníte, změňte tento údaj v \"Centrálním nastavení "
                       "programu\" v menu \"Systém\" !"),
        this));
    layout->addSpacing(8);
    layout->addWidget(ui::caption(this, QStringLiteral("Spusten_popis"),
                                  QStringLiteral("Program byl spuštěn na systému:")));
    m_system = paragraph(QStringLiteral("System"), QString(), this);
    ui::setBold(m_system);
    layout->addWidget(m_system);
    layout->addSpacing(8);
    layout->addWidget(closeButton(this), 0, Qt::AlignRight);
}

void TInfo_System_OS::setSystemCode(const QString &code)
{
    m_code = code;
    if (isVisible())
        FormShow();
}

QString TInfo_System_OS::systemName(const QString &code)
{
    if (code == QLatin1String("1"))
        return QStringLiteral("Windows 95 nebo Windows 95 OSR2");
    if (code == QLatin1String("2"))
        return QStringLiteral("Windows 98 nebo Windows 98 SE");
    if (code == QLatin1String("3"))
        return QStringLiteral("Windows NT3 nebo Windows NT4");
    if (code == QLatin1String("4")) {
#ifdef Q_OS_WIN
        return QStringLiteral("Windows 2000 / XP");
#else
        // Other systems print in the mode of the newest Windows; naming that
        // Windows as the running system would be wrong.
        return QSysInfo::prettyProductName() + QStringLiteral(" (režim Windows 2000 / XP)");
#endif
    }
    if (code == QLatin1String("5"))
        return QStringLiteral("Windows Millenium (Me)");
    return QStringLiteral("Nenalezen kompatibilní OS !");
}

void TInfo_System_OS::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TInfo_System_OS::FormShow()
{
    m_system->setText(systemName(m_code));
}

// ---------------------------------------------------------------------------

TTextove_okno::TTextove_okno(const QString &path, QWidget *parent) : QDialog(parent)
{
    const QString name = QFileInfo(path).fileName();
    setObjectName(QStringLiteral("Textove_okno_form"));
    setWindowTitle(name);

    QByteArray bytes;
    bool cut = false;
    QFile file(path);
    if (whyNot(path).isEmpty() && file.open(QIODevice::ReadOnly)) {
        bytes = file.read(kMaxBytes);
        cut = !file.atEnd();
    }
    QString content;
    // A file saved by a newer editor says so by its mark; the rest is the
    // program's own code page.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        content = QString::fromUtf8(bytes.mid(3));
    else
        content = Codepage::cp1250().decode(bytes.constData(), int(bytes.size()));
    if (cut)
        content += QStringLiteral("\n\n[Zobrazen je jen začátek souboru.]");

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Textove_okno"));
    m_text->setAccessibleName(name);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(content);
    m_text->setMinimumSize(kParagraphWidth, 300);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(closeButton(this), 0, Qt::AlignRight);
    resize(600, 450);
}

QString TTextove_okno::whyNot(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return QStringLiteral("Nebyl nalezen soubor \"%1\" v adresáři programu.").arg(name);
    if (!info.isFile())
        return QStringLiteral("\"%1\" není obyčejný soubor, nelze ho zobrazit.").arg(name);
    if (!info.isReadable())
        return QStringLiteral("Soubor \"%1\" nelze přečíst.").arg(name);
    return QString();
}

void openTextFile(const QString &path, QWidget *parent)
{
    const QString why = TTextove_okno::whyNot(path);
    if (!why.isEmpty()) {
        dialogs::error(QStringLiteral("Chyba"), why);
        return;
    }
    if (shell::openFile(path))
        return;
    TTextove_okno window(path, parent);
    dialogs::exec(window);
}

} // namespace velmora
