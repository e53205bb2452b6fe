#include "spreadsheet/ExportProgress.h"

#include "platform/Widgets.h"
#include "storage/Paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace velmora {
namespace {

// Pending events are handled this often: the cancel button answers at once
// and half a million rows do not wait on repaints.
constexpr qint64 kRepaintMs = 40;

} // namespace

TPrubehExportu::TPrubehExportu(const QString &file, QWidget *parent) : ScreenDialog(parent)
{
    setObjectName(QStringLiteral("TPrubehExportu"));
    setWindowTitle(QStringLiteral("Export do tabulky"));
    m_text = new QLabel(QStringLiteral("Zapisuje se %1 ...").arg(Paths::native(file)), this);
    m_text->setObjectName(QStringLiteral("Text"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Prubeh"));
    m_gauge->setAccessibleName(QStringLiteral("Průběh exportu"));
    m_gauge->setRange(0, 0);
    m_cancel = ui::button(this, QStringLiteral("Zrusit"), QStringLiteral("&Zrušit"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_gauge);
    layout->addLayout(ui::row({}, {m_cancel}));
    resize(460, sizeHint().height());
    connect(m_cancel, &QPushButton::clicked, this, &TPrubehExportu::cancel);
    // Esc presses "Zrušit" and never hides the window while the work runs.
    setEscapeButton(m_cancel);
    setHeldOpen([this] { return m_running; });
}

void TPrubehExportu::cancel()
{
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_text->setText(QStringLiteral("Export se ruší ..."));
}

void TPrubehExportu::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        cancel();
        event->ignore();
        return;
    }
    ScreenDialog::closeEvent(event);
}

sheets::ExportResult TPrubehExportu::run(const Work &work)
{
    m_cancelled = false;
    setWindowModality(Qt::ApplicationModal);
    show();
    QApplication::processEvents();
    m_sinceRepaint.start();
    m_running = true;
    const sheets::ExportResult result =
        work([this](qint64 done, qint64 total) { return advance(done, total); });
    m_running = false;
    hide();
    return result;
}

bool TPrubehExportu::advance(qint64 done, qint64 total)
{
    if (m_sinceRepaint.elapsed() >= kRepaintMs || done >= total) {
        // The gauge counts in thousandths: rows may be more than an int holds.
        m_gauge->setRange(0, 1000);
        m_gauge->setValue(total > 0 ? int(done * 1000 / total) : 0);
        QApplication::processEvents();
        m_sinceRepaint.restart();
    }
    return !m_cancelled;
}

} // namespace velmora
