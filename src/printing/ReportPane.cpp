#include "printing/ReportPane.h"

#include "platform/Dialogs.h"
#include "printing/ReportPrint.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>

namespace velmora {

ReportPane::ReportPane(QWidget *parent) : QTextEdit(parent), m_colour(report::kBlack)
{
    setObjectName(QStringLiteral("RichEdit1"));
    setAccessibleName(QStringLiteral("Sestava"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setLineWrapMode(QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    setFont(baseFont());
    document()->setDefaultFont(baseFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);

    m_savePdf = new QAction(QStringLiteral("Uložit jako PDF ..."), this);
    m_savePdf->setObjectName(QStringLiteral("Ulozit_PDF"));
    connect(m_savePdf, &QAction::triggered, this, [this] { saveAsPdf(); });
    clearReport();
    // The view's cursor goes along with the text as it is written (a cursor
    // kept at the top would select the whole report); a build puts it back
    // at the top (see endBuild).
    QTextCursor view = textCursor();
    view.setKeepPositionOnInsert(false);
    setTextCursor(view);
}

ReportPane::~ReportPane() = default;

QFont ReportPane::baseFont()
{
    static const QFont font = [] {
        QFont f;
        if (QFontDatabase::families().contains(QStringLiteral("Courier New"), Qt::CaseInsensitive))
            f = QFont(QStringLiteral("Courier New"));
        else
            f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
        f.setStyleStrategy(QFont::PreferNoShaping);
        f.setPointSize(8);
        return f;
    }();
    return font;
}

void ReportPane::beginBuild()
{
    if (m_building)
        return;
    m_building = true;
    setUpdatesEnabled(false);
    writer().cursor().beginEditBlock();
    clearReport();
}

void ReportPane::endBuild()
{
    if (!m_building)
        return;
    m_building = false;
    writer().flush();
    // The view's cursor went along with the text to its end. Back at the
    // top before the edit ends, while the layout knows nothing of the new
    // text yet, moving it costs nothing; after, its old place at the end
    // would have the whole report laid out at once (and so would the focus,
    // and the arrow keys would start from the end).
    setTextCursor(QTextCursor(document()));
    writer().cursor().endEditBlock();
    setUpdatesEnabled(true);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void ReportPane::clearReport()
{
    // Inside a build the emptying belongs to the same edit as the filling:
    // the document then counts as new and is laid out in steps, while the
    // interface stays responsive, instead of all at once.
    document()->clear();
    m_rtf.clear();
    m_colour = report::kBlack;
    m_points = 8;
    m_bold = false;
    m_formatValid = false;
    writer() = rtf::BlockWriter(QTextCursor(document()));
}

rtf::BlockWriter &ReportPane::writer()
{
    if (!m_writer)
        m_writer = std::make_unique<rtf::BlockWriter>(QTextCursor(document()));
    return *m_writer;
}

void ReportPane::setAttributes(const QColor &colour, int points, bool bold)
{
    m_colour = colour;
    m_points = points;
    m_bold = bold;
    m_formatValid = false;
}

void ReportPane::setColour(const QColor &colour)
{
    m_colour = colour;
    m_formatValid = false;
}

void ReportPane::setSize(int points)
{
    m_points = points;
    m_formatValid = false;
}

void ReportPane::setBold(bool bold)
{
    m_bold = bold;
    m_formatValid = false;
}

const QTextCharFormat &ReportPane::lineFormat()
{
    if (!m_formatValid) {
        m_format = rtf::charFormat(baseFont().family(), m_points, m_bold, m_colour);
        m_formatValid = true;
    }
    return m_format;
}

void ReportPane::appendLine(const QString &text)
{
    const QTextCharFormat &f = lineFormat();
    rtf::BlockWriter &w = writer();
    w.text(text, f);
    w.endParagraph(f);
    // Inside a build the lines of one format go in together.
    if (!m_building)
        w.flush();
}

void ReportPane::setRtf(const QByteArray &document)
{
    const bool own = !m_building;
    writer().flush();
    if (own)
        beginBuild();
    else if (writer().started())
        clearReport(); // emptied once per build, or the layout is no longer done in steps
    m_rtf = document;
    rtf::read(m_rtf, writer(), baseFont().family());
    if (own)
        endBuild();
}

QStringList ReportPane::lines() const
{
    const_cast<ReportPane *>(this)->writer().flush();
    // An untouched pane has its one empty block and no lines.
    if (!m_writer || !m_writer->started())
        return {};
    QStringList out;
    const QTextDocument *doc = document();
    out.reserve(doc->blockCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QString text = b.text();
        for (const QStringView line : QStringView(text).split(QChar::LineSeparator))
            out << line.toString();
    }
    return out;
}

void ReportPane::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    menu->addSeparator();
    menu->addAction(m_savePdf);
    menu->exec(event->globalPos());
}

bool ReportPane::print()
{
    if (report::printDocument(*document(), report::currentPrinter()))
        return true;
    dialogs::error(QStringLiteral("Chyba"), QStringLiteral("Sestavu se nepodařilo vytisknout."));
    return false;
}

bool ReportPane::saveAsPdf()
{
    const QString name = report::askPdfFileName();
    if (name.isEmpty())
        return false;
    if (!report::writePdf(*document(), name)) {
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Sestavu nelze uložit do souboru \"%1\".")
                           .arg(QDir::toNativeSeparators(name)));
        return false;
    }
    return true;
}

} // namespace velmora
