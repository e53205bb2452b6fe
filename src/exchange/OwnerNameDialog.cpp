#include "exchange/OwnerNameDialog.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "transfer/ExportInfo.h"
#include "transfer/Exporting.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

OwnerNameDialog::OwnerNameDialog(const QString &proposed, QWidget *parent) : ScreenDialog(parent)
{
    setObjectName(QStringLiteral("OwnerName"));
    setWindowTitle(QStringLiteral("Vlastník dat"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(QStringLiteral("Pod tímto jménem uvidí Vaše exportovaná data ostatní "
                                           "uživatelé. Změnit ho lze v centrálním nastavení."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    m_edit = new QLineEdit(proposed, this);
    m_edit->setObjectName(QStringLiteral("Vlastnik"));
    m_edit->setMaxLength(exchange::kOwnerMaxLength);
    auto *row = new QHBoxLayout;
    row->addWidget(
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Vlastník dat:"), m_edit));
    row->addWidget(m_edit, 1);
    layout->addLayout(row);
    auto *ok = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Uložit"));
    ok->setDefault(true);
    auto *cancel = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zrušit"));
    layout->addLayout(ui::row({}, {ok, cancel}));
    connect(ok, &QPushButton::clicked, this, &OwnerNameDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString OwnerNameDialog::name() const
{
    return m_edit->text().trimmed();
}

void OwnerNameDialog::save()
{
    const QString problem = exchange::ownerNameProblem(name());
    if (!problem.isEmpty()) {
        dialogs::warning(QStringLiteral("Vlastník dat"),
                         QStringLiteral("Toto jméno nelze použít: ") + problem);
        m_edit->setFocus();
        return;
    }
    accept();
}

QString exchange::ownerNameAsked(QWidget *parent)
{
    const QString stored = storedOwnerName();
    if (!stored.isEmpty() && ownerNameProblem(stored).isEmpty())
        return stored;
    OwnerNameDialog dialog(stored.isEmpty() ? proposedOwnerName() : stored, parent);
    if (dialogs::exec(dialog) != QDialog::Accepted)
        return QString();
    storeOwnerName(dialog.name());
    return dialog.name();
}

} // namespace velmora
