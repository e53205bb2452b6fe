#include "exchange/NewDirDialog.h"

#include "platform/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velmora {

NewDirDialog::NewDirDialog(QWidget *parent) : ScreenDialog(parent)
{
    setWindowTitle(QStringLiteral("Jméno nového podadresáře:"));
    auto *layout = new QVBoxLayout(this);
    auto *pathCaption =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Nastavená cesta:"));
    m_path = ui::valueLabel(this, QStringLiteral("Cesta"), pathCaption);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(pathCaption);
    pathRow->addWidget(m_path, 1);
    layout->addLayout(pathRow);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Name_new_dir"));
    m_edit->setAccessibleName(QStringLiteral("Jméno nového podadresáře"));
    m_edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), m_edit));
    layout->addWidget(m_edit);

    auto *buttons = new QHBoxLayout;
    m_create = ui::button(this, QStringLiteral("BitBtn1"),
                          QStringLiteral("&Vytvořit podadresář a nastavit se do něj"));
    m_create->setDefault(true);
    auto *close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    buttons->addWidget(m_create);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_edit, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_create->setEnabled(!t.isEmpty()); });
    connect(m_create, &QPushButton::clicked, this, &NewDirDialog::create);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void NewDirDialog::prepare(const QString &path)
{
    m_name.clear();
    m_path->setText(path);
    m_edit->clear();
    m_create->setEnabled(false);
    m_edit->setFocus();
}

void NewDirDialog::create()
{
    if (m_edit->text().isEmpty())
        return;
    m_name = m_edit->text();
    accept();
}

TNew_Dir_Name::TNew_Dir_Name(QWidget *parent) : NewDirDialog(parent)
{
    setObjectName(QStringLiteral("New_Dir_Name"));
}

TNew_Dir_Name2::TNew_Dir_Name2(QWidget *parent) : NewDirDialog(parent)
{
    setObjectName(QStringLiteral("New_Dir_Name2"));
}

} // namespace velmora
