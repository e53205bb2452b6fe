#include "reports/InfoChoiceBox.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace velmora {

InfoChoiceBox::InfoChoiceBox(QWidget *parent)
    : QGroupBox(QStringLiteral("Chci vytisknout info:"), parent)
{
    setObjectName(QStringLiteral("GroupBox1"));
    auto *layout = new QVBoxLayout(this);
    const auto box = [&](const char *name, const char *text, bool on) {
        auto *b = new QCheckBox(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        b->setChecked(on);
        layout->addWidget(b);
        connect(b, &QCheckBox::clicked, this, &InfoChoiceBox::changed);
        return b;
    };
    m_dates = box("S2", "Datum pořízení filmů a zdroje nahrávek filmů", false);
    m_filmNotes = box("S3", "Poznámku k jednotlivým filmům", false);
    m_cassetteNotes = box("S4", "Poznámku k videokazetě", true);
}

InfoChoice InfoChoiceBox::choice() const
{
    InfoChoice choice;
    choice.datesAndSources = m_dates->isChecked();
    choice.filmNotes = m_filmNotes->isChecked();
    choice.cassetteNotes = m_cassetteNotes->isChecked();
    return choice;
}

} // namespace velmora
